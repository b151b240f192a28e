#!/usr/bin/env bash
# A user with a tariff for Work dials it, waits through authentication, talks a few seconds
# and hangs up; the call is logged and counted, Exit stores it, and the next start stays in
# the tray and loads every figure again.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work Home
# Work: 0.10 a call and 0.60 a minute, charged to the second, every day of the week.
seed_store <<REG
$(tariff_lines Work '"Period1ConnectionFee"="0.100000"' '"Period1UnitCost"="0.600000"' \
    '"SaturdayConnectionFee"="0.100000"' '"SaturdayUnitCost"="0.600000"' \
    '"SundayConnectionFee"="0.100000"' '"SundayUnitCost"="0.600000"')
REG
FEE=0.10 PER_SECOND=0.01

start_mereth
driver wait-title "Mereth - Not Connected"
driver --timeout 0 wait-hidden && ok "a later start stays hidden"
expect_eq "icons in the notification area" "$(driver tray-icons)" 1
driver tray-click double
driver wait-visible && ok "a double click on the tray icon shows the window"

idle=$(driver tray-picture)
rassim connect Work 5
driver wait-title "Mereth - Connecting to Work"
online=$(driver tray-picture)
[ "$online" != "$idle" ] && ok "the tray icon lights up" || fail "the tray icon stays idle"
rassim state Work 8192
driver wait-title "Mereth - Connected to Work (0:00:00:??)"
expect_eq "the connection caption" "$(driver text IDC_CONN_GROUP)" "This Connection"
rassim hangup Work
wait_for 5 "the call in the log" has_calls 1
expect_eq "the tray icon after the call" "$(driver tray-picture)" "$idle"
driver wait-title "Mereth - Not Connected"
expect_eq "the connection caption" "$(driver text IDC_CONN_GROUP)" "Last Connection"

call=$(log_calls)
expect_eq "calls in the log" "$(log_call_count)" 1
expect_eq "entry" "$(call_entry "$call")" Work
expect_match "start" "$(call_start "$call")" "^$(date +%d/%m/%Y) [0-9]{2}:[0-9]{2}:[0-9]{2}$"
seconds=$(call_seconds "$call")
near "cost" "$(call_cost "$call")" "$(awk -v s="$seconds" "BEGIN { print $FEE + $PER_SECOND * s }")" 0.006

exit_from_tray
tree=$(store_tree)
expect_eq "Version Number" "$(store_value "$tree" '\Version' 'Version Number')" 3
for record in "All Dial-up Connections" Work; do
    for period in Total Year Month Today; do
        expect_eq "$record $period logins" \
            "$(store_value "$tree" "\\Dialup Connections\\$record\\Logins" $period)" 1
    done
    expect_eq "$record call time" \
        "$(store_value "$tree" "\\Dialup Connections\\$record\\Times" Conn)" "$seconds"
    near "$record call cost" "$(store_value "$tree" "\\Dialup Connections\\$record\\Costs" Conn)" \
        "$(call_cost "$call")" 0.006
done
expect_eq "Home's logins" "$(store_value "$tree" '\Dialup Connections\Home\Logins' Total)" 0

start_mereth
driver wait-title "Mereth - Not Connected"
driver --timeout 0 wait-hidden && ok "the next start stays hidden"
expect_eq "icons in the notification area" "$(driver tray-icons)" 1
exit_from_tray
expect_same "the store after a run that only loaded it" "$(store_tree)" "$tree"
expect_eq "calls in the log" "$(log_call_count)" 1
