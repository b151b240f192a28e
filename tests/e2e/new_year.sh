#!/usr/bin/env bash
# Mereth is started in the first minute of a new year, after a year of calls: Year, Month
# and Today start again from nothing, Total keeps everything, and the first call of the
# year is the first of each period.
source "$(dirname "$0")/lib.sh"
begin "2027-01-01 00:00:20"
rassim phonebook Work
figures() {
    local record=$1 key="HKEY_CURRENT_USER\\$STORE\\Dialup Connections\\$1"
    printf '[%s\\Times]\n"Total"=dword:00001c20\n"Year"=dword:00000e10\n"Month"=dword:00000708\n' "$key"
    printf '"Today"=dword:00000258\n\n[%s\\Logins]\n"Total"=dword:00000009\n"Year"=dword:00000005\n' "$key"
    printf '"Month"=dword:00000003\n"Today"=dword:00000001\n\n'
}
seed_store <<REG
[HKEY_CURRENT_USER\\$STORE\\General]
"Current Year"=dword:$(printf %08x 2026)
"Current Month"=dword:0000000c
"Current Day"=dword:$(printf %08x "$(date -d 2026-12-31 +%s)")

$(figures "All Dial-up Connections")
$(figures Work)
REG
TOTAL_TIME=7200 TOTAL_LOGINS=9

start_mereth
driver --timeout 75 wait-text IDC_YEAR_GROUP "This year (2027)"
expect_eq "the month caption" "$(driver text IDC_MONTH_GROUP)" "This month (January)"
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 5 "the call in the log" has_calls 1
seconds=$(call_seconds "$(log_calls)")
exit_from_tray

tree=$(store_tree)
expect_eq "Current Year" "$(store_value "$tree" '\General' 'Current Year')" 2027
expect_eq "Current Month" "$(store_value "$tree" '\General' 'Current Month')" 1
expect_eq "Current Day" "$(store_value "$tree" '\General' 'Current Day')" "$(date -d 2027-01-01 +%s)"
for record in "All Dial-up Connections" Work; do
    for period in Year Month Today; do
        expect_eq "$record $period time" \
            "$(store_value "$tree" "\\Dialup Connections\\$record\\Times" $period)" "$seconds"
        expect_eq "$record $period logins" \
            "$(store_value "$tree" "\\Dialup Connections\\$record\\Logins" $period)" 1
    done
    expect_eq "$record Total time" "$(store_value "$tree" "\\Dialup Connections\\$record\\Times" Total)" \
        $((TOTAL_TIME + seconds))
    expect_eq "$record Total logins" \
        "$(store_value "$tree" "\\Dialup Connections\\$record\\Logins" Total)" $((TOTAL_LOGINS + 1))
done
