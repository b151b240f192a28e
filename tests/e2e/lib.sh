# Shared steps of the end-to-end stories. A story sources this file, calls begin (optionally
# with a moment to place the whole Wine session in), and then works Mereth through the
# driver and scripts/rassim. Every wait polls until a deadline.
#
# ctest sets MERETH_EXE, MERETH_RASSIM_DLL, MERETH_DRIVER and MERETH_E2E_ROOT; run by
# hand (bash tests/e2e/calls.sh), a story takes them from build/win64.
set -Eeuo pipefail
trap 'say "FAILED at line $LINENO of $STORY: $BASH_COMMAND" >&2' ERR

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
REPO=$(cd "$E2E_DIR/../.." && pwd)
if [ -z "${DISPLAY:-}" ]; then
    exec "$REPO/scripts/with-display" bash "$0" "$@"
fi
MERETH_EXE=${MERETH_EXE:-$REPO/build/win64/Mereth.exe}
MERETH_RASSIM_DLL=${MERETH_RASSIM_DLL:-$REPO/build/win64/rasapi32.dll}
MERETH_DRIVER=${MERETH_DRIVER:-$REPO/build/win64/mereth_driver.exe}
ROOT=${MERETH_E2E_ROOT:-$REPO/build/win64/e2e}
STORY=$(basename "$0" .sh)
DIR=$ROOT/$STORY
export WINEPREFIX=$DIR/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;rasapi32=n,b"
export TZ=UTC LC_ALL=C
WINE_LOCALE=en_GB.UTF-8
APP=$WINEPREFIX/drive_c/Mereth
LOG=$APP/Mereth.log
STORE='Software\Brambleway\Mereth'

say() { printf '%s: %s\n' "$STORY" "$*"; }
fail() {
    say "FAILED: $*" >&2
    exit 1
}
ok() { say "ok: $*"; }

w() { LC_ALL=$WINE_LOCALE wine "$@"; }
driver() {
    local rc
    w "$MERETH_DRIVER" "$@" | tr -d '\r'
    rc=${PIPESTATUS[0]}
    [ "$rc" -eq 0 ] || say "driver $* ended with $rc" >&2
    return "$rc"
}
rassim() { "$REPO/scripts/rassim" "$@" >/dev/null; }

# wait_for SECONDS WHAT COMMAND...: polls COMMAND until it succeeds.
wait_for() {
    local seconds=$1 what=$2 deadline
    shift 2
    deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt "$deadline" ] || fail "waited ${seconds}s for $what"
        sleep 0.2
    done
}

expect_eq() { [ "$2" = "$3" ] && ok "$1: $2" || fail "$1 is '$2', expected '$3'"; }
# expect_same WHAT ACTUAL EXPECTED: for long texts; shows the difference when they differ.
expect_same() {
    [ "$2" = "$3" ] && ok "$1" || {
        diff <(printf '%s\n' "$3") <(printf '%s\n' "$2") >&2 || true
        fail "$1 differs (< expected, > actual)"
    }
}
expect_match() { [[ $2 =~ $3 ]] && ok "$1: $2" || fail "$1 is '$2', expected /$3/"; }

# A prefix made once per run, copied for every story: creating one costs seconds.
template_prefix() {
    local template=$ROOT/template
    mkdir -p "$ROOT"
    exec 8>"$ROOT/template.lock"
    flock 8
    if [ ! -f "$template/.mereth-ready" ]; then
        rm -rf "$template"
        (
            export WINEPREFIX=$template WINEDLLOVERRIDES="mscoree,mshtml="
            wineboot -i
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f
            wineserver -w
        ) </dev/null >/dev/null 2>&1
        touch "$template/.mereth-ready"
    fi
    "$REPO/scripts/wine-fonts" "$template"
    exec 8>&-
}

# begin [WHEN]: a fresh prefix with Mereth and rassim in C:\Mereth and a wineserver of its
# own; with WHEN (a date(1) text, UTC) every process of the story sees the clock run from it.
begin() {
    template_prefix
    rm -rf "$DIR"
    mkdir -p "$DIR"
    # Hard links: the prefix is mostly system files that nothing writes. The registry files
    # are rewritten by their wineserver, so each story gets copies of its own.
    cp -al "$ROOT/template" "$WINEPREFIX"
    rm -f "$WINEPREFIX"/*.reg
    cp "$ROOT/template"/*.reg "$WINEPREFIX/"
    mkdir -p "$APP"
    cp "$MERETH_EXE" "$APP/Mereth.exe"
    cp "$MERETH_RASSIM_DLL" "$APP/rasapi32.dll"
    if [ $# -ge 1 ]; then
        # One offset for every process, so that all see the same clock; file times stay
        # true, or Wine would take its prefix for out of date.
        export LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1
        export FAKETIME="+$(($(date -d "$1" +%s) - $(date +%s)))s"
        export FAKETIME_DONT_FAKE_MONOTONIC=1 NO_FAKE_STAT=1
    fi
    trap finish EXIT
    wineserver -p </dev/null >/dev/null 2>&1
    say "begins at $(date '+%a %F %T') in $DIR"
}

finish() {
    local rc=$?
    wineserver -k >/dev/null 2>&1 || true
    [ $rc -eq 0 ] && say "passed" || say "see $DIR"
}

# start_mereth [NAME=VALUE...]: with these variables set for Mereth alone.
start_mereth() {
    (cd "$APP" && exec env LC_ALL=$WINE_LOCALE "$@" wine "$APP/Mereth.exe") </dev/null \
        >>"$DIR/mereth.out" 2>&1 &
    MERETH_PID=$!
    driver --timeout 20 wait-main
}

mereth_ended() { ! kill -0 "$MERETH_PID" 2>/dev/null; }

# Exit from the tray menu, answered with Yes.
exit_from_tray() {
    driver tray-click right
    driver menu-pick x
    driver answer "Exit Mereth" yes
    wait_for 10 "Mereth to end" mereth_ended
}

# seed_store [LINES]: a store saved before by this version, with the given REGEDIT4 lines.
seed_store() {
    {
        echo REGEDIT4
        echo
        echo "[HKEY_CURRENT_USER\\$STORE\\Version]"
        echo '"Version Number"=dword:00000003'
        echo
        cat
    } | sed 's/$/\r/' >"$WINEPREFIX/drive_c/seed.reg"
    w reg import 'C:\seed.reg' >/dev/null 2>&1 || fail "the seed store does not import"
}

# A tariff record: record NAME, then key=value lines under Charges (Weekday and Weekend
# values go to their keys by name).
tariff_lines() {
    local record=$1 base
    shift
    base="HKEY_CURRENT_USER\\$STORE\\Dialup Connections\\$record\\Charges"
    printf '[%s]\n' "$base"
    printf '%s\n' "$@" | grep -E '^"(Charge|Minimum)' || true
    printf '\n[%s\\Weekday]\n' "$base"
    printf '%s\n' "$@" | grep -E '^"Period' || true
    printf '\n[%s\\Weekend]\n' "$base"
    printf '%s\n' "$@" | grep -E '^"(Satur|Sun)day' || true
    echo
}

# The store as the driver reads it: "path|name|type|value" lines; keys alone on a line.
store_tree() { driver reg-tree "$STORE"; }
# store_value TREE PATH NAME
store_value() {
    printf '%s\n' "$1" | P=$2 N=$3 awk -F'|' '$1 == ENVIRON["P"] && $2 == ENVIRON["N"] { print $4 }'
}

log_header_ok() {
    local hyphens
    hyphens=$(printf '%.0s-' {1..69})
    [ "$(head -n 3 "$LOG" | tr -d '\r')" = "$hyphens
Dialup Connection    | Start             | Duration   | Cost 
$hyphens" ]
}
# The connection lines of the log, without the headers.
log_calls() { tr -d '\r' <"$LOG" | grep -v -e '^---' -e '^Dialup Connection ' || true; }
log_call_count() { log_calls | wc -l; }
has_calls() { [ "$(log_call_count)" -ge "$1" ]; }

# Fields of a connection line: entry, start, duration in seconds, cost as a number.
call_entry() { cut -d'|' -f1 <<<"$1" | sed 's/ *$//'; }
call_start() { cut -d'|' -f2 <<<"$1" | sed 's/^ *//; s/ *$//'; }
call_seconds() { cut -d'|' -f3 <<<"$1" | tr -d ' ' | awk -F: '{ print $1*86400 + $2*3600 + $3*60 + $4 }'; }
call_cost() { cut -d'|' -f4 <<<"$1" | sed 's/[^0-9.-]//g'; }

# near WHAT ACTUAL EXPECTED TOLERANCE
near() {
    awk -v a="$2" -v e="$3" -v t="$4" 'BEGIN { d = a - e; exit !(d <= t && -d <= t) }' &&
        ok "$1: $2 (expected $3)" || fail "$1 is $2, expected $3 within $4"
}

clock_past() { [ "$(date +%s)" -ge "$(date -d "$1" +%s)" ]; }
