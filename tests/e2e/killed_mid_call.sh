#!/usr/bin/env bash
# Mereth is killed after the ten-minute save of a long call and started again while the line
# is still up: the call goes on as one, with one login, one fee and one log line for all of it.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
# Work by the unit, 0.10 a call and 1.00 a minute: a second fee or a unit begun again shows.
seed_store <<REG
$(tariff_lines Work '"Charge by the Unit"=dword:00000001' '"Period1ConnectionFee"="0.100000"' \
    '"Period1UnitCost"="1.000000"')
REG
# Mereth alone sees a Friday noon whose clock runs ten times fast: ten minutes pass in one.
FAKE=(LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 FAKETIME_DONT_FAKE_MONOTONIC=1
    NO_FAKE_STAT=1)
held() { store_value "$(store_tree)" '\Dialup Connections\Work\Times' Conn; }
saved() { [ "$(held)" -ge 600 ] 2>/dev/null; }

start_mereth "${FAKE[@]}" FAKETIME="@2027-01-08 12:00:00 x10"
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
wait_for 120 "the ten-minute save" saved
driver kill
wait_for 10 "Mereth to end" mereth_ended
held=$(held)

# Two minutes on by its clock, the same connection still up.
start_mereth "${FAKE[@]}" FAKETIME="@$(date -d "2027-01-08 12:00:00 $((held + 120)) seconds" '+%F %T')"
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 10 "the call in the log" has_calls 1

call=$(log_calls)
expect_eq "calls in the log" "$(log_call_count)" 1
expect_match "start" "$(call_start "$call")" "^08/01/2027 12:00:"
seconds=$(call_seconds "$call")
[ "$seconds" -ge $((held + 60)) ] && ok "the duration covers the restart: $seconds s" ||
    fail "the duration is $seconds s, less than $((held + 60))"
near "cost" "$(call_cost "$call")" "$(awk "BEGIN { print 0.10 + int($seconds / 60) + 1 }")" 0.001
tree=$(store_tree)
for record in "All Dial-up Connections" Work; do
    expect_eq "$record logins" "$(store_value "$tree" "\\Dialup Connections\\$record\\Logins" Total)" 1
done
expect_eq "the stored call" "$(store_value "$tree" '\General' 'Call Handle')" ""
