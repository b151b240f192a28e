#!/usr/bin/env bash
# The computer dies right after a call: the call stays in the log, and the next start
# neither empties the log nor writes a second header.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store </dev/null

start_mereth
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 5 "the call in the log" has_calls 1
log_before=$(cat "$LOG")
driver kill
wait_for 10 "Mereth to end" mereth_ended

start_mereth
driver wait-title "Mereth - Not Connected"
expect_eq "the log after the restart" "$(cat "$LOG")" "$log_before"
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 5 "the second call in the log" has_calls 2
expect_eq "headers in the log" "$(grep -c '^Dialup Connection ' "$LOG")" 1
