#!/usr/bin/env bash
# A budget of 1.00 for all calls, half spent on the last evening of its billing period: the
# bar under the Total panel is green; a call at 0.01 a second turns it amber at the first
# alert (80 %) and red past the budget, and each alert is given once.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store <<REG
$(tariff_lines Work '"Period1UnitCost"="0.600000"' '"SaturdayUnitCost"="0.600000"' \
    '"SundayUnitCost"="0.600000"')
[HKEY_CURRENT_USER\\$STORE\\Dialup Connections\\All Dial-up Connections]
"Budget"="1.000000"
"Billing Day"=dword:00000001
"First Alert"=dword:00000050
"Second Alert"=dword:00000064
"Billing Spend"="0.500000"
"Billing Start"=dword:$(printf '%08x' 20270101)
"Alerts Given"=dword:00000000
REG
GREEN=00A000 AMBER=FFB000 RED=D00000
alerts() { store_value "$(store_tree)" '\Dialup Connections\All Dial-up Connections' 'Alerts Given'; }
alerts_are() { [ "$(alerts)" = "$1" ]; }

# Mereth alone sees the period's last hour, on a clock ten times fast.
start_mereth LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1 FAKETIME="@2027-01-31 23:00:00 x10"
driver tray-click double
driver wait-visible
driver wait-colour IDC_PROJECTION_BAR $GREEN && ok "half the budget spent: the bar is green"

rassim connect Work
driver --timeout 30 wait-colour IDC_PROJECTION_BAR $AMBER && ok "past 80 %: amber"
wait_for 30 "the first alert" alerts_are 1
ok "the first alert was given"
driver --timeout 30 wait-colour IDC_PROJECTION_BAR $RED && ok "past the budget: red"
wait_for 30 "the second alert" alerts_are 3
ok "the second alert was given"
rassim hangup Work
wait_for 10 "the call in the log" has_calls 1
expect_eq "alerts once each" "$(alerts)" 3
exit_from_tray
