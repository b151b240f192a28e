#!/usr/bin/env bash
# On the first day the computer dies right after a call: the call stays in the log and in
# the figures, and the next start neither empties the log nor starts the figures afresh.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work

call_and_die() {
    rassim connect Work
    driver wait-title "Mereth - Connected to Work (*)"
    rassim hangup Work
    wait_for 5 "call $1 in the log" has_calls "$1"
    driver kill
    wait_for 10 "Mereth to end" mereth_ended
}

start_mereth
call_and_die 1
log_before=$(cat "$LOG")
tree=$(store_tree)
expect_eq "Work's logins" "$(store_value "$tree" '\Dialup Connections\Work\Logins' Total)" 1
expect_eq "Work's call time" "$(store_value "$tree" '\Dialup Connections\Work\Times' Conn)" \
    "$(call_seconds "$(log_calls)")"

start_mereth
driver wait-title "Mereth - Not Connected"
driver --timeout 0 wait-hidden && ok "the next start is no first run"
expect_same "the log after the restart" "$(cat "$LOG")" "$log_before"
call_and_die 2
expect_eq "headers in the log" "$(grep -c '^Dialup Connection ' "$LOG")" 1
expect_eq "Work's logins" "$(store_value "$(store_tree)" '\Dialup Connections\Work\Logins' Total)" 2
