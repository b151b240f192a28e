#!/usr/bin/env bash
# A Saturday call of Work is charged at the Saturday rate, a whole unit at a time.
source "$(dirname "$0")/lib.sh"
begin "2027-01-09 10:00:00"
rassim phonebook Work
seed_store <<REG
$(tariff_lines Work '"Charge by the Unit"=dword:00000001' \
    '"Period1ConnectionFee"="1.000000"' '"Period1UnitCost"="1.000000"' \
    '"SaturdayConnectionFee"="0.050000"' '"SaturdayUnitCost"="0.300000"' \
    '"SaturdayUnitTime"=dword:0000003c')
REG
FEE=0.05 UNIT_COST=0.30 UNIT=60

start_mereth
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 5 "the call in the log" has_calls 1

call=$(log_calls)
expect_match "start" "$(call_start "$call")" "^09/01/2027 10:0"
near "cost" "$(call_cost "$call")" \
    "$(awk -v s="$(call_seconds "$call")" "BEGIN { print $FEE + $UNIT_COST * (int(s / $UNIT) + 1) }")" 0.006
