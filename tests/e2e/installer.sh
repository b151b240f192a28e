#!/usr/bin/env bash
# An administrator deploys Mereth with a silent setup: it lands in the user's own programs
# folder, the Start menu, the logon entry and the installed apps, and counts calls there.
# A setup run over the running copy waits until the user exits it and keeps the user's
# choice of starting at logon; a silent uninstall takes the program away and leaves the
# log and the figures.
source "$(dirname "$0")/lib.sh"
# A shortcut would otherwise become a menu entry of the Linux desktop.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
begin

# This Wine runs 64-bit programs only, so the setup is built as one; it gives up on a
# running Mereth sooner (but after the slowest Exit).
SETUP=$DIR/Mereth-Setup.exe
makensis -V1 -WX -DTARGET=amd64-unicode -DVERSION=0.0.1 -DSILENT_WAIT_SECONDS=15 \
    -DEXE64="$MERETH_EXE" -DREADME="$REPO/scripts/package-files/ReadMe.txt" \
    -DOUTFILE="$SETUP" "$REPO/installer/Mereth.nsi" >/dev/null

RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'
APP_KEY='Software\Microsoft\Windows\CurrentVersion\Uninstall\Mereth'
# reg_value KEY NAME: empty when the key or the value is missing.
reg_value() { store_value "$(driver reg-tree "$1" 2>/dev/null || true)" "" "$2"; }
winenv() { w cmd /c echo "%$1%" | tr -d '\r'; }
WIN_APP="$(winenv LOCALAPPDATA)\\Programs\\Mereth"
APP=$(winepath -u "$WIN_APP" | sed 's:/$::')
LOG=$APP/Mereth.log
SHORTCUT=$(winepath -u "$(winenv APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Mereth.lnk")
INSTALLED=("$APP/Mereth.exe" "$APP/ReadMe.txt" "$APP/Uninstall.exe" "$SHORTCUT")

w "$SETUP" /S || fail "the silent setup ended with $?"
for file in "${INSTALLED[@]}"; do
    [ -f "$file" ] && ok "installed ${file##*/}" || fail "no $file"
done
cmp -s "$MERETH_EXE" "$APP/Mereth.exe" && ok "the 64-bit program" || fail "another Mereth.exe"
expect_eq "the logon entry" "$(reg_value "$RUN_KEY" Mereth)" "\"$WIN_APP\\Mereth.exe\""
while IFS='|' read -r name value; do
    expect_eq "the app entry's $name" "$(reg_value "$APP_KEY" "$name")" "$value"
done <<EOF
DisplayName|Mereth
Publisher|Brambleway
InstallLocation|$WIN_APP
UninstallString|"$WIN_APP\\Uninstall.exe"
QuietUninstallString|"$WIN_APP\\Uninstall.exe" /S
NoModify|1
EOF
expect_match "the app entry's size in KB" "$(reg_value "$APP_KEY" EstimatedSize)" '^[1-9][0-9]{2,}$'

cp "$MERETH_RASSIM_DLL" "$APP/rasapi32.dll"
rassim phonebook Work
start_mereth
rassim connect Work
driver wait-title "Mereth - Connected to Work (*)"
rassim hangup Work
wait_for 5 "the call in the installed copy's log" has_calls 1
log_before=$(cat "$LOG")
# The user turns start at logon off; an upgrade keeps that choice.
driver command ID_TRAY_START_WITH_WINDOWS
no_logon_entry() { [ -z "$(reg_value "$RUN_KEY" Mereth)" ]; }
wait_for 5 "the logon entry to go" no_logon_entry

# An upgrade while Mereth runs waits for the user to exit it, and gives up if none does.
rc=0 && w "$SETUP" /S || rc=$?
expect_eq "the exit code of a setup that gave up" $rc 3
mereth_ended && fail "the setup ended Mereth" || ok "Mereth still runs"
w "$SETUP" /S &
setup_pid=$!
setup_ended() { ! kill -0 "$setup_pid" 2>/dev/null; }
sleep 4
setup_ended && fail "the setup did not wait for the running Mereth" || ok "the setup waits"
exit_from_tray
wait_for 15 "the setup to finish" setup_ended
wait "$setup_pid" && ok "the setup finished once Mereth ended" || fail "the setup ended with $?"
expect_same "the log after the upgrade" "$(cat "$LOG")" "$log_before"
expect_eq "the logon entry after the upgrade" "$(reg_value "$RUN_KEY" Mereth)" ""

# The uninstaller runs from a copy of itself and returns at once: wait for its work.
w "$APP/Uninstall.exe" /S
app_entry_gone() { [ -z "$(reg_value "$APP_KEY" DisplayName)" ]; }
wait_for 30 "the uninstaller to remove the app entry" app_entry_gone
for file in "${INSTALLED[@]}"; do
    [ ! -e "$file" ] && ok "removed ${file##*/}" || fail "$file is left"
done
expect_eq "the logon entry" "$(reg_value "$RUN_KEY" Mereth)" ""
expect_same "the log after the uninstall" "$(cat "$LOG")" "$log_before"
expect_eq "Work's logins" "$(store_value "$(store_tree)" '\Dialup Connections\Work\Logins' Total)" 1
