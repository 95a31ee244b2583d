#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A month's end in a few minutes, by hand (not in CTest): the real clock under Xvfb on a fast faked
# clock from 31 December evening through two midnights, fed by a local HTTPS server. soak_driver.py
# checks what only a long run shows: midnights, the new month's download, the live heap over time.
#   ./scripts/build.sh test && tests/e2e/soak_month.sh   (SOAK_START, SOAK_END, SOAK_BUDGET change it)
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
root="$(cd "$e2e_dir/../.." && pwd)"
: "${TAVROLA_BINARY_DIR:=$root/build/test}"
: "${TAVROLA_PROGRAM_DIR:=$TAVROLA_BINARY_DIR/tavrola}"
start_at="${SOAK_START:-2026-12-31 18:45:00}"
end_at="${SOAK_END:-2027-01-02 00:10:00}"
make_month_data="$TAVROLA_BINARY_DIR/tools/make_month_data"
[[ -x "$TAVROLA_PROGRAM_DIR/tavrola" ]] || fail "no test build in $TAVROLA_PROGRAM_DIR (./scripts/build.sh test)"
[[ -x "$make_month_data" ]] || fail "make_month_data not built"
find_libfaketime

"$make_month_data" "$work/www" "${start_at:0:7}" "${end_at:0:7}" >/dev/null || fail "make_month_data failed"
start_https_server "$work/www" "${start_at:0:10} 00:00:00"
prepare_program
# No database: the updater fetches the first month at start-up, the next one by itself.
printf '%s\r\n' '[TAJUK-01]' 'TITLE01=Masjid Ujian' '[TARIKH_HIJRAH]' 'MASA=0' '[12-24HRS]' 'SETJAM=0' \
    '[SERVER]' "DATA_HOST=127.0.0.1:$https_port" '[JADUAL]' 'KOMPUTER_TUTUP=' >"$prog/setting.ini"
start_xvfb

# A small quarantine keeps freed memory from looking like growth; 500 faked seconds per real one.
export ASAN_OPTIONS="$ASAN_OPTIONS:quarantine_size_mb=16"
echo "@$start_at x500" >"$work/faketime.rc"
unset FAKETIME
env LD_PRELOAD="$libfaketime" FAKETIME_TIMESTAMP_FILE="$work/faketime.rc" FAKETIME_XRESET=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 TAVROLA_STATE_FILE="$work/state.txt" TAVROLA_SPEECH_LOG="$work/speech.log" \
    "$prog/tavrola" >"$work/clock.log" 2>&1 &
clock_pid=$!
e2e_pids+=("$clock_pid")
e2e_logs+=("$work/clock.log")

python3 -u "$e2e_dir/soak_driver.py" --pid "$clock_pid" --state "$work/state.txt" --start "$start_at" \
    --end "$end_at" --budget "${SOAK_BUDGET:-480}" || fail "soak checks failed"
grep -aq "ERROR: AddressSanitizer\|runtime error:" "$work/clock.log" && fail "sanitizer report in the clock's log"
echo "PASS: soak from $start_at to $end_at"
