#!/usr/bin/env bash
# The congregation's screens on the real clock, frozen at three moments after Zohor with
# [IQAMAH] ZOHOR=10 and [SOLAT] ZOHOR=15: Zohor + 5 min shows the countdown at 05:00, Zohor + 12 min
# the dark prayer screen, Zohor + 30 min the clock as usual. Screenshots go to
# $TAVROLA_SCREENSHOT_DIR when it is set.
set -euo pipefail

: "${TAVROLA_PROGRAM_DIR:?the built program folder}"
: "${TAVROLA_BINARY_DIR:?the build folder}"
work="$(mktemp -d)"
xvfb_pid=""
pid=""
stop_clock() {
    [[ -n "$pid" ]] || return 0
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    # The killed clock cannot remove its lock; only the one naming its process goes.
    for lock in "${TMPDIR:-/tmp}"/tavrola-*.lock; do
        [[ -f "$lock" && "$(head -n1 "$lock" 2>/dev/null)" == "$pid" ]] && rm -f "$lock"
    done
    pid=""
}
cleanup() {
    stop_clock
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/clock.log" ]] && sed 's/^/  clock: /' "$work/clock.log" >&2
    [[ -f "$work/state" ]] && sed 's/^/  state: /' "$work/state" >&2
    exit 1
}

prog="$work/prog"
cp -r "$TAVROLA_PROGRAM_DIR" "$prog"
rm -rf "$prog/dbase" "$prog/setting.ini" "$prog/backup"
mkdir -p "$prog/dbase"
printf '%s\r\n' '[TAJUK-01]' 'TITLE01=Masjid Ujian' 'TSIZE=50' 'TITLE02=Selamat Datang' 'FSIZE=30' 'TEMPAT=Taman Ujian' \
    '[12-24HRS]' 'SETJAM=0' '[TARIKH_HIJRAH]' 'MASA=1' '[WSOLAT_JAM]' 'SKROL=OFF' \
    '[IQAMAH]' 'ZOHOR=10' 'PESAN=Luruskan saf dan matikan telefon bimbit' '[SOLAT]' 'ZOHOR=15' >"$prog/setting.ini"

# With no data server the clock computes the month for the default place at start-up; the same
# calculator gives the Zohor time here, and the database holds it from the first tick.
"$TAVROLA_BINARY_DIR/tools/make_month_data" "$work/site" 2026-12 --ini "$prog/setting.ini" >/dev/null
zohor="$(sed -n 's/.*"2026-12-05": {[^}]*"Zohor": "\([0-9][0-9]:[0-9][0-9]\)".*/\1/p' "$work/site/data/2026-12.json")"
[[ "$zohor" =~ ^[0-9][0-9]:[0-9][0-9]$ ]] || fail "no computed Zohor for 5 December"
{
    printf '%s\r\n' '==========================================' 'JADUAL WAKTU SOLAT BULANAN' 'Bulan: Disember 2026' \
        'CACHE_MONTH=122026' 'UPDATE_DATE=01122026 00:00:00' 'LAST_UPDATE=01/12/2026 00:00:00' \
        '==========================================' ''
    for d in $(seq -w 1 31); do
        printf '%s\r\n' "[${d}122026]" "Tarikh: Hari, ${d} Disember 2026" 'Imsak=05:40' 'Suboh=05:50' 'Syuruk=07:05' \
            'Duha=07:30' "Zohor=$zohor" 'Asar=16:25' 'Magrib=19:10' 'Isyak=20:25' \
            '------------------------------------------' ''
    done
} >"$prog/dbase/dbsolat.dat"

# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0:strict_string_checks=0"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
libfaketime=""
for candidate in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
    [[ -f "$candidate" ]] && libfaketime="$candidate" && break
done
[[ -n "$libfaketime" ]] || fail "libfaketime not installed"

# Starts the clock frozen at Zohor + $1 minutes and waits until the state file's SCREEN line is $2.
at_zohor_plus() {
    local minutes=$1 want=$2 name=$3
    local t=$((10#${zohor%:*} * 60 + 10#${zohor#*:} + minutes))
    local stamp
    stamp="2026-12-05 $(printf '%02d:%02d:00' $((t / 60)) $((t % 60)))"
    rm -f "$work/state"
    env LD_PRELOAD="$libfaketime" FAKETIME="$stamp" FAKETIME_DONT_FAKE_MONOTONIC=1 \
        TAVROLA_STATE_FILE="$work/state" "$prog/tavrola" >"$work/clock.log" 2>&1 &
    pid=$!
    local seen=""
    for _ in $(seq 300); do
        seen="$(sed -n 's/^SCREEN=//p' "$work/state" 2>/dev/null || true)"
        [[ -f "$work/state" && "$seen" == "$want" ]] && break
        kill -0 "$pid" 2>/dev/null || fail "the clock ended on its own"
        sleep 0.1
    done
    [[ "$seen" == "$want" ]] || fail "at Zohor + $minutes min the screen was '$seen', not '$want'"
    grep -aq '^TIME=..:..:.. pm$' "$work/state" || fail "no clock time at Zohor + $minutes min"
    sleep 2 # let the first frames settle before the picture
    if [[ -n "${TAVROLA_SCREENSHOT_DIR:-}" ]]; then
        mkdir -p "$TAVROLA_SCREENSHOT_DIR"
        import -window root "$TAVROLA_SCREENSHOT_DIR/$name.png"
    fi
    stop_clock
}

at_zohor_plus 5 "IQAMAH ZOHOR 05:00" congregation-iqamah
at_zohor_plus 12 "SOLAT ZOHOR - Solat sedang didirikan 2 minit selepas iqamah" congregation-prayer
at_zohor_plus 30 "" congregation-after
echo "PASS: Zohor $zohor: countdown 05:00 at +5 min, prayer screen at +12 min, the clock at +30 min"
