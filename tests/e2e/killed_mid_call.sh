#!/usr/bin/env bash
# Mereth is killed after the ten-minute save of a long call and started again while the line
# is still up: the call goes on as one, with one login and one log line for all of it.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store </dev/null
# Mereth alone sees a Friday noon, the first time on a clock ten times fast.
FAKE=(LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME_DONT_FAKE_MONOTONIC=1
    NO_FAKE_STAT=1)
held() { store_value "$(store_tree)" '\Dialup Connections\Work\Times' Conn; }
saved() { [ "$(held)" -ge 600 ] 2>/dev/null; }

start_mereth "${FAKE[@]}" FAKETIME="@2027-01-08 12:00:00 x10"
rassim connect Work
wait_for 120 "the ten-minute save" saved
driver kill
wait_for 10 "Mereth to end" mereth_ended
held=$(held)
# Two minutes on by its clock, the same connection still up.
start_mereth "${FAKE[@]}" FAKETIME="@$(date -d "2027-01-08 12:00:00 $((held + 120)) seconds" '+%F %T')"
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 10 "the call in the log" has_calls 1

expect_eq "calls in the log" "$(log_call_count)" 1
expect_match "start" "$(call_start "$(log_calls)")" "^08/01/2027 12:00:"
[ "$(call_seconds "$(log_calls)")" -ge $((held + 60)) ] && ok "the duration covers the restart" ||
    fail "the duration $(call_seconds "$(log_calls)") s leaves out the restart"
expect_eq "logins" "$(store_value "$(store_tree)" '\Dialup Connections\Work\Logins' Total)" 1
expect_eq "the stored call" "$(store_value "$(store_tree)" '\General' 'Call Handle')" ""
