#!/usr/bin/env bash
# The rassim control command as a shell user drives it: every command, its output and
# its exit status. Usage: control_command_test.sh PATH/TO/rassim
set -uo pipefail
rassim=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# expect_show TEXT: "rassim show" prints exactly TEXT.
expect_show() {
    local got
    got=$("$rassim" show)
    [ "$got" = "$1" ] || fail "show printed:"$'\n'"$got"$'\n'"expected:"$'\n'"$1"
}

# expect_status CODE ARGS...: rassim ARGS exits with CODE; a refusal says why in one line
# and leaves the state as it was.
expect_status() {
    local want=$1 before err status
    shift
    before=$("$rassim" show)
    "$rassim" "$@" >"$work/out" 2>"$work/err"
    status=$?
    [ "$status" = "$want" ] || fail "rassim $* exited $status, expected $want"
    if [ "$want" != 0 ]; then
        [ "$(wc -l <"$work/err")" = 1 ] || fail "rassim $*: not a one-line message"
        [ "$("$rassim" show)" = "$before" ] || fail "rassim $*: changed the state"
    fi
}

# The default state file lives in the Wine prefix's drive C.
unset MERETH_RASSIM_STATE
export WINEPREFIX=$work/prefix
mkdir -p "$WINEPREFIX/drive_c"

expect_show ""
expect_status 0 phonebook Work Home
expect_status 0 connect Home 5
expect_show $'entry Work\nentry Home\nconnection Home 5'
[ -f "$WINEPREFIX/drive_c/rassim.state" ] || fail "no state file in drive C"

# A connection appears last, by default connected; its name need not be in the book.
expect_status 0 connect Office
expect_status 0 connect "All Dial-up Connections" 4
expect_show $'entry Work\nentry Home\nconnection Home 5\nconnection Office 8192\nconnection All Dial-up Connections 4'
expect_status 0 state Home 8192
expect_status 0 hangup Office
expect_show $'entry Work\nentry Home\nconnection Home 8192\nconnection All Dial-up Connections 4'
# Dialling again replaces the entry's connection, which then comes last.
expect_status 0 connect Home 2
expect_show $'entry Work\nentry Home\nconnection All Dial-up Connections 4\nconnection Home 2'

# An empty state is as bad as any other that is not a number.
expect_status 2 connect Work ""
expect_status 2 state Home ""

expect_status 0 fail status 632
expect_status 0 fail enum-connections 603
expect_show $'entry Work\nentry Home\nconnection All Dial-up Connections 4\nconnection Home 2\nfail enum-connections 603\nfail status 632'
expect_status 0 fail status 0
expect_status 0 fail enum-entries 711
expect_status 0 fail none
expect_status 0 hangup-all
expect_show $'entry Work\nentry Home'

# Names are kept byte for byte, spaces included; no names empties the phone book.
expect_status 0 phonebook " Spaced  name " 'a*b$c' "Work"
expect_show $'entry  Spaced  name \nentry a*b$c\nentry Work'
expect_status 0 phonebook
expect_show ""

# Names typed in UTF-8 are kept in the program's ANSI code page and shown as typed.
expect_status 0 phonebook "Büro" "Work"
expect_status 0 connect "Büro"
expect_show $'entry Büro\nentry Work\nconnection Büro 8192'
grep -q $'^entry B\xfcro$' "$WINEPREFIX/drive_c/rassim.state" || fail "Büro is not kept in code page 1252"
expect_status 0 hangup "Büro"
expect_status 2 phonebook "北京"
expect_status 2 phonebook $'B\xfcro'
expect_status 0 connect "$(printf 'ü%.0s' {1..256})"
expect_status 2 connect "$(printf 'ü%.0s' {1..257})"
expect_status 0 hangup-all

# Bad arguments: status 2, one line, nothing changed.
expect_status 0 phonebook Work
expect_status 0 connect Work
expect_status 2
expect_status 2 dial Work
expect_status 2 connect
expect_status 2 connect Work 5 6
expect_status 2 connect Work connected
expect_status 2 connect Work -1
expect_status 2 connect Work 4294967296
expect_status 2 connect ""
expect_status 2 connect "$(printf 'x%.0s' {1..257})"
expect_status 2 state Work
expect_status 2 state Home 8192
expect_status 2 hangup Home
expect_status 2 hangup
expect_status 2 hangup-all now
expect_status 2 fail status
expect_status 2 fail dial 5
expect_status 2 fail status x
expect_status 2 phonebook Work $'Two\nlines'
expect_status 2 show all
expect_status 0 connect "$(printf 'x%.0s' {1..256})" 4294967295

# MERETH_RASSIM_STATE names another state file, as it does for the DLL.
prefix_state=$("$rassim" show)
export MERETH_RASSIM_STATE=$work/other.state
expect_status 0 phonebook Elsewhere
expect_show "entry Elsewhere"
unset MERETH_RASSIM_STATE
[ "$("$rassim" show)" = "$prefix_state" ] || fail "the prefix's state was touched"

# Changes made at the same moment are all kept.
export MERETH_RASSIM_STATE=$work/busy.state
for i in $(seq 1 20); do
    "$rassim" connect "Line $i" &
done
wait
shown=$("$rassim" show)
[ "$(grep -c '^connection Line' <<<"$shown")" = 20 ] || fail "concurrent connects were lost"

# Without the prefix's drive C there is nowhere to write.
unset MERETH_RASSIM_STATE
export WINEPREFIX=$work/no-prefix
"$rassim" phonebook Work 2>/dev/null
[ $? = 1 ] || fail "writing without a prefix did not fail with status 1"
[ ! -e "$WINEPREFIX" ] || fail "the missing prefix was created"

[ $failures = 0 ] && echo "all passed"
exit $((failures > 0))
