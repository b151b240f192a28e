#!/usr/bin/env bash
# A user whose Mereth waits in the tray starts it once more: the running one shows its
# window, the second gives way, and a call is logged once.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store </dev/null

start_mereth
first=$MERETH_PID
driver wait-title "Mereth - Not Connected"
driver --timeout 0 wait-hidden
start_mereth
wait_for 15 "the second start to give way" mereth_ended
driver wait-visible || fail "the running monitor stayed hidden"
ok "the running monitor shows its window"
MERETH_PID=$first
! mereth_ended && ok "the first monitor runs on" || fail "the first monitor ended"
expect_eq "main windows" "$(driver count-main)" 1

rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 5 "the call in the log" has_calls 1
driver wait-title "Mereth - Not Connected"
expect_eq "calls in the log" "$(log_call_count)" 1
