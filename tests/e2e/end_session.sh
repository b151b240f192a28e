#!/usr/bin/env bash
# Windows logs the user off after a call: Mereth stores everything without asking.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store </dev/null

start_mereth
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 5 "the call in the log" has_calls 1

driver end-session && ok "the session may end"
driver no-box "Exit Mereth" && ok "no question asked"
tree=$(store_tree)
expect_eq "Version Number" "$(store_value "$tree" '\Version' 'Version Number')" 3
expect_eq "Work's logins" "$(store_value "$tree" '\Dialup Connections\Work\Logins' Total)" 1
expect_eq "Work's call time" "$(store_value "$tree" '\Dialup Connections\Work\Times' Conn)" \
    "$(call_seconds "$(log_calls)")"
