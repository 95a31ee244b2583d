#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The congregation's screens on the real clock, frozen at three moments after Zohor with
# [IQAMAH] ZOHOR=10 and [SOLAT] ZOHOR=15: the countdown at 05:00 (+5 min), the dark prayer screen
# (+12 min), the usual clock (+30 min), where a title edited by hand follows. Pictures go to
# $TAVROLA_SCREENSHOT_DIR when it is set.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
: "${TAVROLA_BINARY_DIR:?the build folder}"
prepare_program
printf '%s\r\n' '[TAJUK-01]' 'TITLE01=Masjid Ujian' 'TSIZE=50' 'TITLE02=Selamat Datang' 'FSIZE=30' 'TEMPAT=Taman Ujian' \
    '[12-24HRS]' 'SETJAM=0' '[WSOLAT_JAM]' 'SKROL=OFF' \
    '[IQAMAH]' 'ZOHOR=10' 'PESAN=Luruskan saf dan matikan telefon bimbit' '[SOLAT]' 'ZOHOR=15' >"$prog/setting.ini"
# Without a data server the clock computes the month at start-up, as the month-data tool does.
"$TAVROLA_BINARY_DIR/tools/make_month_data" "$work/site" 2026-12 --ini "$prog/setting.ini" >/dev/null
zohor="$(sed -n 's/.*"2026-12-05": {[^}]*"Zohor": "\([0-9][0-9]\):\([0-9][0-9]\)".*/\1 \2/p' "$work/site/data/2026-12.json")"
zohor=$((10#${zohor% *} * 60 + 10#${zohor#* }))
start_xvfb
faked_clock
e2e_logs+=("$work/clock.log" "$work/state")

# Starts the clock frozen at Zohor + $1 minutes and waits for the state file's SCREEN line to be $2.
at_zohor_plus() {
    local t=$((zohor + $1))
    rm -f "$work/state"
    "${faked[@]}" FAKETIME="2026-12-05 $(printf '%02d:%02d:00' $((t / 60)) $((t % 60)))" \
        TAVROLA_STATE_FILE="$work/state" "$prog/tavrola" >"$work/clock.log" 2>&1 &
    local pid=$!
    screen_is() {
        kill -0 "$pid" 2>/dev/null || fail "the clock ended on its own"
        grep -aqxF "SCREEN=$2" "$work/state" 2>/dev/null
    }
    wait_for 30 screen_is "$@" || fail "at Zohor + $1 min the screen was not '$2'"
    grep -aq '^TIME=..:..:.. pm$' "$work/state" || fail "no clock time at Zohor + $1 min"
    if [[ -n "${TAVROLA_SCREENSHOT_DIR:-}" ]]; then
        ticks() { sed -n 's/^TICKS=//p' "$work/state"; }
        ticked() { (($(ticks) >= $1 + 2)); } # two more ticks: the fade-in and first frames are behind
        wait_for 30 ticked "$(ticks)" || fail "the clock stopped ticking"
        mkdir -p "$TAVROLA_SCREENSHOT_DIR"
        import -window root "$TAVROLA_SCREENSHOT_DIR/congregation-$3.png"
    fi
    [[ -z "${4:-}" ]] || "$4"
    stop_pid "$pid"
}

# A title changed in setting.ini by hand shows on the running clock within 2 s; the report follows
# at the next tick, up to a second later.
title_follows() {
    sed -i 's/^TITLE01=.*$/TITLE01=Surau Ujian\r/' "$prog/setting.ini"
    local edited
    edited=$(date +%s%N)
    title_shown() { grep -aqxF "TITLE=Surau Ujian" "$work/state"; }
    wait_for 3 title_shown || fail "the clock still shows '$(sed -n 's/^TITLE=//p' "$work/state")'"
    title_ms=$((($(date +%s%N) - edited) / 1000000))
}

at_zohor_plus 5 "IQAMAH ZOHOR 05:00" iqamah
at_zohor_plus 12 "SOLAT ZOHOR - Solat sedang didirikan 2 minit selepas iqamah" prayer
at_zohor_plus 30 "" after title_follows
echo "PASS: countdown 05:00 at Zohor + 5 min, prayer screen at + 12 min, the clock at + 30 min;" \
    "a title edited by hand showed in ${title_ms} ms"
