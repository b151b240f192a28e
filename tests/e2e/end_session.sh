#!/usr/bin/env bash
# Windows logs the user off in the middle of a call: Mereth stores the figures up to the
# last tick without asking, and logs no line for the unfinished call. The line drops with
# the session; the next start logs the call as far as the figures counted it, once.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store </dev/null

start_mereth
rassim connect Work
driver wait-title "Mereth - Connected to Work (0:00:00:??)"
driver end-session && ok "the session may end"
driver no-box "Exit Mereth" && ok "no question asked"
tree=$(store_tree)
expect_eq "Version Number" "$(store_value "$tree" '\Version' 'Version Number')" 3
expect_eq "Work's logins" "$(store_value "$tree" '\Dialup Connections\Work\Logins' Total)" 1
[ "$(store_value "$tree" '\Dialup Connections\Work\Times' Conn)" -ge 1 ] &&
    ok "the call's time is stored" || fail "the call's time is not stored"
expect_eq "calls in the log" "$(log_call_count)" 0

# The session ends, and with it the program and the line: the next start logs the call.
driver kill && wait_for 10 "Mereth to end" mereth_ended && rassim hangup Work
start_mereth
wait_for 10 "the call in the log" has_calls 1
expect_eq "the call" "$(call_entry "$(log_calls)") $(call_seconds "$(log_calls)") s" \
    "Work $(store_value "$tree" '\Dialup Connections\Work\Times' Conn) s"
tree=$(store_tree)
expect_eq "Work's logins" "$(store_value "$tree" '\Dialup Connections\Work\Logins' Total)" 1
expect_eq "the stored call" "$(store_value "$tree" '\General' 'Call Handle')" ""
