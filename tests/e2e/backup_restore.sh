#!/usr/bin/env bash
# A user backs up the settings after a call, makes another, tries a file that is not a
# backup and a restore during a call (both refused, nothing changed), then restores: the
# figures are those of the backup again, and a second backup is the first byte for byte.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store <<REG
$(tariff_lines Work '"Period1ConnectionFee"="0.100000"' '"Period1UnitCost"="0.600000"' \
    '"SaturdayConnectionFee"="0.100000"' '"SaturdayUnitCost"="0.600000"' \
    '"SundayConnectionFee"="0.100000"' '"SundayUnitCost"="0.600000"')
REG
CAPTION="Restore settings"
call() {
    rassim connect Work
    driver wait-title "Mereth - Connected to Work (*)"
    sleep "$1"
    rassim hangup Work
    driver wait-title "Mereth - Not Connected"
}
logins() { store_value "$(store_tree)" '\Dialup Connections\Work\Logins' Total; }

start_mereth
call 2
driver command ID_TRAY_BACKUP
driver save-as 'C:\first.reg' 1
FIRST=$WINEPREFIX/drive_c/first.reg
wait_for 10 "the backup" test -s "$FIRST"
expect_eq "the file's start" "$(head -c 76 "$FIRST" | iconv -f UTF-16 -t UTF-8 | head -1 | tr -d '\r')" \
    "Windows Registry Editor Version 5.00"
backed_up=$(store_tree)
shown=$(driver text IDC_TOTAL_TIME)

call 1
counted=$(store_tree)
expect_eq "logins after the second call" "$(logins)" 2

# A key outside the store: refused, with nothing written.
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"Taken"="yes"\r\n' \
    >"$WINEPREFIX/drive_c/other.reg"
driver command ID_TRAY_RESTORE
driver open-file 'C:\other.reg'
driver answer "$CAPTION" ok
expect_same "the store after a refused file" "$(store_tree)" "$counted"
driver --timeout 0 reg-tree 'Software\Other' 2>/dev/null && fail "a key outside the store" ||
    ok "nothing outside the store"

rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
driver command ID_TRAY_RESTORE
driver answer "$CAPTION" ok
driver --timeout 0 no-box "Open" && ok "no file asked for during a call"
rassim hangup Work
driver wait-title "Mereth - Not Connected"
expect_eq "logins after the third call" "$(logins)" 3

driver command ID_TRAY_RESTORE
driver open-file 'C:\first.reg'
driver answer "$CAPTION" yes
driver wait-text IDC_TOTAL_TIME "$shown"
ok "the figures shown are the backup's"
expect_same "the store after the restore" "$(store_tree)" "$backed_up"

driver command ID_TRAY_BACKUP
driver save-as 'C:\second.reg' 1
wait_for 10 "the second backup" test -s "$WINEPREFIX/drive_c/second.reg"
cmp "$FIRST" "$WINEPREFIX/drive_c/second.reg" && ok "the second backup is the first" ||
    fail "the second backup differs from the first"
exit_from_tray
