#!/usr/bin/env bash
# A user backs up after a call and makes more; a file that is not a backup and a restore
# during a call are refused and change nothing; the restore brings the backup's figures
# back, on screen and in the store, and a new backup is the first byte for byte.
source "$(dirname "$0")/lib.sh"
begin
rassim phonebook Work
seed_store </dev/null
connect() { rassim connect Work && driver wait-title "Mereth - Connected to Work (*)"; }
hangup() { rassim hangup Work && driver wait-title "Mereth - Not Connected"; }
backup() { driver command ID_TRAY_BACKUP && driver save-as "C:\\$1" 1 &&
    wait_for 10 "the backup" test -s "$WINEPREFIX/drive_c/$1"; }
restore() { driver command ID_TRAY_RESTORE && driver open-file "C:\\$1"; }

start_mereth
connect && sleep 1 && hangup
backup first.reg
backed_up=$(store_tree) shown=$(driver text IDC_TOTAL_TIME)
connect && driver command ID_TRAY_RESTORE && driver answer "Restore settings" ok && hangup
counted=$(store_tree)
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Other]\r\n"Taken"="yes"\r\n' \
    >"$WINEPREFIX/drive_c/other.reg"
restore other.reg && driver answer "Restore settings" ok
expect_same "the store after a file not ours" "$(store_tree)" "$counted"
driver --timeout 0 reg-tree 'Software\Other' 2>/dev/null && fail "a key outside the store"

restore first.reg && driver answer "Restore settings" yes
driver wait-text IDC_TOTAL_TIME "$shown" && ok "the figures shown are the backup's"
expect_same "the store after the restore" "$(store_tree)" "$backed_up"
backup second.reg
cmp "$WINEPREFIX/drive_c/"{first,second}.reg && ok "the second backup is the first"
exit_from_tray
