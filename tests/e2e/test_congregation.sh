#!/usr/bin/env bash
# The congregation's screens on the real clock, frozen at three moments after Zohor with
# [IQAMAH] ZOHOR=10 and [SOLAT] ZOHOR=15: the countdown at 05:00 (+5 min), the dark prayer screen
# (+12 min), the usual clock (+30 min). Pictures go to $TAVROLA_SCREENSHOT_DIR when it is set.
set -euo pipefail
: "${TAVROLA_PROGRAM_DIR:?the built program folder}" "${TAVROLA_BINARY_DIR:?the build folder}"
work="$(mktemp -d)"
xvfb_pid="" pid=""
stop_clock() {
    [[ -n "$pid" ]] || return 0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    for lock in "${TMPDIR:-/tmp}"/tavrola-*.lock; do # the killed clock's lock only
        [[ -f "$lock" && "$(head -n1 "$lock" 2>/dev/null)" == "$pid" ]] && rm -f "$lock"
    done
    pid=""
}
trap 'stop_clock; [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid"; wait; rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    sed 's/^/  /' "$work/clock.log" "$work/state" >&2 2>/dev/null || true
    exit 1
}

prog="$work/prog"
cp -r "$TAVROLA_PROGRAM_DIR" "$prog"
rm -rf "$prog/dbase" "$prog/setting.ini" "$prog/backup"
mkdir -p "$prog/dbase"
printf '%s\r\n' '[TAJUK-01]' 'TITLE01=Masjid Ujian' 'TSIZE=50' 'TITLE02=Selamat Datang' 'FSIZE=30' 'TEMPAT=Taman Ujian' \
    '[12-24HRS]' 'SETJAM=0' '[WSOLAT_JAM]' 'SKROL=OFF' \
    '[IQAMAH]' 'ZOHOR=10' 'PESAN=Luruskan saf dan matikan telefon bimbit' '[SOLAT]' 'ZOHOR=15' >"$prog/setting.ini"
# Without a data server the clock computes the month at start-up, as the month-data tool does.
"$TAVROLA_BINARY_DIR/tools/make_month_data" "$work/site" 2026-12 --ini "$prog/setting.ini" >/dev/null
zohor="$(sed -n 's/.*"2026-12-05": {[^}]*"Zohor": "\([0-9][0-9]\):\([0-9][0-9]\)".*/\1 \2/p' "$work/site/data/2026-12.json")"
zohor=$((10#${zohor% *} * 60 + 10#${zohor#* }))

# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0:strict_string_checks=0"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
libfaketime="$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -n1)"
[[ -n "$libfaketime" ]] || fail "libfaketime not installed"

# Starts the clock frozen at Zohor + $1 minutes and waits for the state file's SCREEN line to be $2.
at_zohor_plus() {
    local t=$((zohor + $1)) seen=""
    rm -f "$work/state"
    env LD_PRELOAD="$libfaketime" FAKETIME="2026-12-05 $(printf '%02d:%02d:00' $((t / 60)) $((t % 60)))" \
        FAKETIME_DONT_FAKE_MONOTONIC=1 TAVROLA_STATE_FILE="$work/state" "$prog/tavrola" >"$work/clock.log" 2>&1 &
    pid=$!
    for _ in $(seq 300); do
        seen="$(sed -n 's/^SCREEN=//p' "$work/state" 2>/dev/null || true)"
        [[ -f "$work/state" && "$seen" == "$2" ]] && break
        kill -0 "$pid" 2>/dev/null || fail "the clock ended on its own"
        sleep 0.1
    done
    [[ "$seen" == "$2" ]] || fail "at Zohor + $1 min the screen was '$seen', not '$2'"
    grep -aq '^TIME=..:..:.. pm$' "$work/state" || fail "no clock time at Zohor + $1 min"
    sleep 2 # the first frames settle before the picture
    if [[ -n "${TAVROLA_SCREENSHOT_DIR:-}" ]]; then
        mkdir -p "$TAVROLA_SCREENSHOT_DIR"
        import -window root "$TAVROLA_SCREENSHOT_DIR/congregation-$3.png"
    fi
    stop_clock
}

at_zohor_plus 5 "IQAMAH ZOHOR 05:00" iqamah
at_zohor_plus 12 "SOLAT ZOHOR - Solat sedang didirikan 2 minit selepas iqamah" prayer
at_zohor_plus 30 "" after
echo "PASS: countdown 05:00 at Zohor + 5 min, prayer screen at + 12 min, the clock at + 30 min"
