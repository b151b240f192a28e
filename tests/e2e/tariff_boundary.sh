#!/usr/bin/env bash
# A Friday call that runs past 18:00, where the evening rate begins: the minutes up to the
# first tick after 18:00:59 cost the day rate, the rest the evening rate, and only the
# day fee is charged.
source "$(dirname "$0")/lib.sh"
begin "2027-01-08 18:00:40"
rassim phonebook Work
# All Dial-up Connections: until 18:00, 0.10 a call and 0.01 a second; after, 1.00 and nothing.
seed_store <<REG
$(tariff_lines "All Dial-up Connections" '"Period1End"=dword:00000438' \
    '"Period1ConnectionFee"="0.100000"' '"Period1UnitCost"="0.600000"' \
    '"Period2ConnectionFee"="1.000000"')
REG
FEE=0.10 PER_SECOND=0.01 EVENING="2027-01-08 18:01:00"

start_mereth
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
wait_for 40 "the evening" clock_past "2027-01-08 18:01:15"
rassim hangup Work
wait_for 5 "the call in the log" has_calls 1

call=$(log_calls)
start=$(date -d "$(call_start "$call" | awk '{ split($1, d, "/"); print d[3] "-" d[2] "-" d[1], $2 }')" +%s)
day_seconds=$(($(date -d "$EVENING" +%s) - start))
[ "$(call_seconds "$call")" -ge $((day_seconds + 10)) ] && ok "the call ran on into the evening" ||
    fail "the call ended before the evening"
near "cost" "$(call_cost "$call")" "$(awk "BEGIN { print $FEE + $PER_SECOND * $day_seconds }")" 0.02
