#!/usr/bin/env bash
# Starts the real clock from a prepared program folder under Xvfb at a fixed time, checks the files
# it leaves behind, and checks that a second start ends at once while the first keeps running.
set -euo pipefail

: "${TAVROLA_PROGRAM_DIR:?the built program folder}"
work="$(mktemp -d)"
xvfb_pid=""
first_pid=""
cleanup() {
    if [[ -n "$first_pid" ]]; then
        kill "$first_pid" 2>/dev/null || true
        # The killed clock cannot remove its lock; only the one naming its process goes.
        for lock in "${TMPDIR:-/tmp}"/tavrola-*.lock; do
            [[ -f "$lock" && "$(head -n1 "$lock" 2>/dev/null)" == "$first_pid" ]] && rm -f "$lock"
        done
    fi
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/first.log" ]] && sed 's/^/  first: /' "$work/first.log" >&2
    exit 1
}

prog="$work/prog"
cp -r "$TAVROLA_PROGRAM_DIR" "$prog"
rm -rf "$prog/dbase" "$prog/setting.ini" "$prog/backup"
mkdir -p "$prog/dbase"

# setting.ini without the clock mode, CR LF lines as the program writes them.
printf '%s\r\n' '[TAJUK-01]' 'TITLE01=Masjid Ujian' 'TSIZE=50' 'TITLE02=Tajuk 2' 'FSIZE=30' 'TEMPAT=Tempat' \
    '[TARIKH_HIJRAH]' 'MASA=1' >"$prog/setting.ini"

# A December 2026 database; no prayer begins during the test, so nothing is spoken. The updater
# replaces it at start-up.
{
    printf '%s\r\n' '==========================================' 'JADUAL WAKTU SOLAT BULANAN' 'Bulan: Disember 2026' \
        'CACHE_MONTH=122026' 'UPDATE_DATE=01122026 00:00:00' 'LAST_UPDATE=01/12/2026 00:00:00' \
        '==========================================' ''
    for d in $(seq -w 1 31); do
        printf '%s\r\n' "[${d}122026]" "Tarikh: Hari, ${d} Disember 2026" 'Imsak=05:40' 'Suboh=05:50' 'Syuruk=07:05' \
            'Duha=07:30' 'Zohor=13:05' 'Asar=16:25' 'Magrib=19:10' 'Isyak=20:25' \
            '------------------------------------------' ''
    done
    printf '\r\n'
} >"$prog/dbase/dbsolat.dat"
db_before="$(md5sum <"$prog/dbase/dbsolat.dat")"

# A private X server on a free display.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb

# faketime preloads itself ahead of the sanitizer runtime of test builds; and xkbcommon hands strndup
# buffers without a terminating zero, which strict string checks take for an overflow.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0:strict_string_checks=0"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# libfaketime preloaded directly rather than through the faketime wrapper, so that $! is the clock.
libfaketime=""
for candidate in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
    [[ -f "$candidate" ]] && libfaketime="$candidate" && break
done
[[ -n "$libfaketime" ]] || fail "libfaketime not installed"
clock=(env LD_PRELOAD="$libfaketime" FAKETIME="@2026-12-05 13:10:00" FAKETIME_DONT_FAKE_MONOTONIC=1)

"${clock[@]}" "$prog/tavrola" >"$work/first.log" 2>&1 &
first_pid=$!

for _ in $(seq 300); do
    grep -aq '^SETJAM=0' "$prog/setting.ini" && break
    kill -0 "$first_pid" 2>/dev/null || fail "the clock ended on its own"
    sleep 0.1
done
grep -aq '^SETJAM=0' "$prog/setting.ini" || fail "setting.ini did not gain SETJAM=0"
grep -aq '^\[12-24HRS\]' "$prog/setting.ini" || fail "SETJAM was written outside [12-24HRS]"
grep -aq '^TITLE01=Masjid Ujian' "$prog/setting.ini" || fail "setting.ini lost its titles"
grep -aq '^MASA=1' "$prog/setting.ini" || fail "setting.ini lost MASA"
for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Tavrola$' >/dev/null 2>&1 && break
    sleep 0.1
done
xdotool search --onlyvisible --name '^Tavrola$' >/dev/null 2>&1 || fail "no clock window on the screen"

start=$(date +%s%N)
set +e
timeout 20 "${clock[@]}" "$prog/tavrola" >"$work/second.log" 2>&1
second_rc=$?
set -e
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[[ $second_rc -eq 0 ]] || fail "second start ended with $second_rc: $(cat "$work/second.log")"
((elapsed_ms < 5000)) || fail "second start took ${elapsed_ms} ms"
kill -0 "$first_pid" 2>/dev/null || fail "the first clock stopped"
[[ "$(xdotool search --onlyvisible --name '^Tavrola$' | wc -l)" -eq 1 ]] || fail "more than one clock window"

# With no data server set, the updater replaced the month with times computed for the default place.
for _ in $(seq 100); do
    [[ "$(md5sum <"$prog/dbase/dbsolat.dat")" != "$db_before" ]] && break
    sleep 0.1
done
grep -aq $'^CACHE_MONTH=122026\r$' "$prog/dbase/dbsolat.dat" || fail "the database does not hold December 2026"
sed -n '/^\[05122026\]/,/^---/p' "$prog/dbase/dbsolat.dat" | grep -aqE $'^Zohor=1[23]:[0-5][0-9]\r$' ||
    fail "no computed Zohor time for 5 December"
grep -aq -- '--:--' "$prog/dbase/dbsolat.dat" && fail "a prayer time is missing near the equator"
[[ "$(grep -ac '^SETJAM=' "$prog/setting.ini")" -eq 1 ]] || fail "SETJAM written more than once"
echo "PASS: first start wrote SETJAM=0; second start ended in ${elapsed_ms} ms"
