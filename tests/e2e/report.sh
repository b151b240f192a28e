#!/usr/bin/env bash
# A user makes two calls, opens the usage report from the Report button and exports the
# calls as CSV through the Save dialog; the file holds the calls the log holds, one row
# each, as a spreadsheet reads them.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work Home
# Work: 0.10 a call and 0.60 a minute, every day of the week.
seed_store <<REG
$(tariff_lines Work '"Period1ConnectionFee"="0.100000"' '"Period1UnitCost"="0.600000"' \
    '"SaturdayConnectionFee"="0.100000"' '"SaturdayUnitCost"="0.600000"' \
    '"SundayConnectionFee"="0.100000"' '"SundayUnitCost"="0.600000"')
REG

start_mereth
driver wait-title "Mereth - Not Connected"
for entry in Work Home; do
    rassim connect $entry
    driver wait-title "Mereth - Connected to $entry (*)"
    sleep 2
    rassim hangup $entry
    driver wait-title "Mereth - Not Connected"
done
wait_for 5 "two calls in the log" has_calls 2

REPORT="Mereth Usage Report"
driver command IDC_REPORT
driver wait-window-text "$REPORT" IDC_REPORT_STATUS "2 calls read, 0 lines skipped"
ok "the report reads the log"
driver window-click "$REPORT" IDC_REPORT_EXPORT
driver save-as 'C:\calls.csv' 2
CSV=$WINEPREFIX/drive_c/calls.csv
wait_for 10 "the CSV file" test -s "$CSV"

# The rows the log's lines make: dd/mm/yyyy becomes ISO 8601, the cost a plain number.
expected=$(printf 'Entry,Start,Seconds,Cost\r\n'
    log_calls | while IFS= read -r call; do
        start=$(call_start "$call")
        printf '"%s",%s-%s-%s %s,%s,%s\r\n' "$(call_entry "$call")" "${start:6:4}" \
            "${start:3:2}" "${start:0:2}" "${start:11}" "$(call_seconds "$call")" "$(call_cost "$call")"
    done)
expect_same "the calls exported" "$(cat "$CSV")" "$expected"
expect_eq "rows with a CR LF end" "$(grep -c $'\r$' "$CSV")" 3

# Esc closes the report, as in any dialog, though the main window runs the message loop.
xdotool windowfocus --sync "$(xdotool search --name "$REPORT" | head -1)" key Escape
wait_for 5 "the report to close" driver --timeout 0 no-box "$REPORT"
exit_from_tray
