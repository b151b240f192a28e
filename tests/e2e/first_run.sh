#!/usr/bin/env bash
# A new user starts Mereth for the first time: the window shows itself, the log begins with
# its header, nothing is stored while it runs, and Exit from the tray menu stores everything.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work Home

start_mereth
driver wait-visible && ok "the window shows itself on the first run"
driver wait-title "Mereth - Not Connected"
expect_eq "the entry list" "$(driver text IDC_ENTRY_COMBO)" "All Dial-up Connections"
expect_eq "the Total caption" "$(driver text IDC_TOTAL_GROUP)" "Total (since $(date +%d/%m/%Y))"
log_header_ok && ok "the log begins with its header" || fail "the log has no header"
expect_eq "calls in the log" "$(log_call_count)" 0
[[ "$(store_tree 2>/dev/null || true)" != *"|Version Number|"* ]] && ok "nothing stored yet" ||
    fail "the store was written while the program runs"

exit_from_tray
tree=$(store_tree)
expect_eq "Version Number" "$(store_value "$tree" '\Version' 'Version Number')" 3
expect_eq "values outside the entries" "$(grep -c '|' <<<"$(grep -v '^\\Dialup Connections' <<<"$tree")")" 28
for record in "All Dial-up Connections" Work Home; do
    expect_eq "values of $record" \
        "$(grep -c "^\\\\Dialup Connections\\\\$record\\\\[^|]*|" <<<"$tree")" 44
    expect_eq "start date of $record" \
        "$(store_value "$tree" "\\Dialup Connections\\$record\\Times" "Start Date")" "$(date +%d/%m/%Y)"
done
