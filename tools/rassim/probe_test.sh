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

# Without MERETH_RASSIM_STATE both sides use C:\rassim.state of the prefix.
unset MERETH_RASSIM_STATE
export WINEPREFIX=$prefix
"${emulator[@]}" "$probe" >/dev/null # makes the prefix if this is the first test
"$rassim" phonebook "Drive C"
expect_probe "entry Drive C"
rm -f "$WINEPREFIX/drive_c/rassim.state" "$WINEPREFIX/drive_c/rassim.state.lock"

[ $failures = 0 ] && echo "all passed"
exit $((failures > 0))
