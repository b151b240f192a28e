#!/usr/bin/env bash
# The control command and rasapi32.dll agree: what "rassim" sets up is what a Windows
# program sees through the DLL, by the state file path or by the prefix's drive C.
# Usage: probe_test.sh PATH/TO/rassim PATH/TO/rassim_probe.exe WINEPREFIX EMULATOR...
set -uo pipefail
rassim=$1
probe=$2
prefix=$3
shift 3
emulator=("$@")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

expect_probe() {
    local got
    got=$("${emulator[@]}" "$probe" | tr -d '\r')
    [ "$got" = "$1" ] || {
        echo "FAIL: the DLL answered:"$'\n'"$got"$'\n'"expected:"$'\n'"$1" >&2
        failures=$((failures + 1))
    }
}

export MERETH_RASSIM_STATE="$work/a folder/rassim.state"
mkdir -p "$work/a folder"
expect_probe "" # no state file yet: an empty phone book, nothing connected

"$rassim" phonebook Work Home "All Dial-up Connections"
"$rassim" connect Home 5
"$rassim" connect "All Dial-up Connections"
expect_probe $'entry Work\nentry Home\nentry All Dial-up Connections\nconnection Home 5\nconnection All Dial-up Connections 8192'

"$rassim" state Home 8192
"$rassim" hangup "All Dial-up Connections"
"$rassim" fail status 632
expect_probe $'entry Work\nentry Home\nentry All Dial-up Connections\nconnection Home error status 632'
"$rassim" fail enum-entries 623
"$rassim" fail enum-connections 711
expect_probe $'error enum-entries 623\nerror enum-connections 711'
"$rassim" fail none
"$rassim" hangup-all
"$rassim" phonebook
expect_probe ""

# A name typed in UTF-8 reaches the program in code page 1252.
"$rassim" phonebook "Büro"
expect_probe $'entry B\xfcro'

# A damaged state file: NUL bytes end lines too, and lines that are not understood are
# passed over; the DLL answers from the lines it can read.
{
    for i in $(seq 1 40); do printf 'entry E%s\0' "$i"; done
    printf 'connection 7 8192 E3\nconnection x 5 E4\nconnection 0 5 E5\nentry\n\0\0\nfail status\n'
} >"$MERETH_RASSIM_STATE"
expected=""
for i in $(seq 1 40); do expected+="entry E$i"$'\n'; done
expect_probe "${expected}connection E3 8192"

# A state path too long to use fails every call; no other file is read in its place.
rm -f "$MERETH_RASSIM_STATE"
"$rassim" phonebook Work
long="$work/$(printf 'x%.0s' $(seq 1 300))/rassim.state"
MERETH_RASSIM_STATE=$long expect_probe $'error enum-entries 206\nerror enum-connections 206'
expect_probe "entry Work"

# Without MERETH_RASSIM_STATE both sides use C:\rassim.state of the prefix.
unset MERETH_RASSIM_STATE
export WINEPREFIX=$prefix
"${emulator[@]}" "$probe" >/dev/null # makes the prefix if this is the first test
"$rassim" phonebook "Drive C"
expect_probe "entry Drive C"
rm -f "$WINEPREFIX/drive_c/rassim.state" "$WINEPREFIX/drive_c/rassim.state.lock"

[ $failures = 0 ] && echo "all passed"
exit $((failures > 0))
