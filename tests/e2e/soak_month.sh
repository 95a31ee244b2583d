#!/usr/bin/env bash
# A month's end in a few minutes: the real clock under Xvfb with a fast faked wall clock, from the
# evening of 31 December through midnight into the next days, fed by a local HTTPS data server
# serving both months. soak_driver.py steers the clock's speed and checks the midnights, the new
# month's download, each announcement at its minute, the daily shutdown dialog (cancelled) and the
# memory (the live heap through gdb; the resident size is reported). About seven minutes, so CTest
# does not run it; run it by hand:
#
#   ./scripts/build.sh test && tests/e2e/soak_month.sh
#
# SOAK_START / SOAK_END (faked "yyyy-mm-dd hh:mm:ss"), SOAK_SHUTDOWN (hhmm) and SOAK_BUDGET (real
# seconds) change the run. Exits non-zero when a check fails; prints a summary either way.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
: "${TAVROLA_BINARY_DIR:=$root/build/test}"
: "${TAVROLA_PROGRAM_DIR:=$TAVROLA_BINARY_DIR/tavrola}"
start_at="${SOAK_START:-2026-12-31 18:45:00}"
end_at="${SOAK_END:-2027-01-02 00:10:00}"
shutdown_at="${SOAK_SHUTDOWN:-2045}"
budget="${SOAK_BUDGET:-480}"

work="$(mktemp -d)"
xvfb_pid=""
server_pid=""
clock_pid=""
cleanup() {
    if [[ -n "$clock_pid" ]]; then
        kill "$clock_pid" 2>/dev/null || true
        # The killed clock cannot remove its lock; only the one naming its process goes.
        for lock in "${TMPDIR:-/tmp}"/tavrola-*.lock; do
            [[ -f "$lock" && "$(head -n1 "$lock" 2>/dev/null)" == "$clock_pid" ]] && rm -f "$lock"
        done
    fi
    [[ -n "$server_pid" ]] && kill "$server_pid" 2>/dev/null || true
    [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    [[ -n "${SOAK_KEEP:-}" ]] && echo "work folder kept: $work" || rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/clock.log" ]] && tail -n 40 "$work/clock.log" | sed 's/^/  clock: /' >&2
    exit 1
}

for tool in Xvfb xdotool openssl python3; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
wm_delete="$TAVROLA_BINARY_DIR/tests/tavrola_wm_delete"
make_month_data="$TAVROLA_BINARY_DIR/tools/make_month_data"
[[ -x "$TAVROLA_PROGRAM_DIR/tavrola" ]] || fail "no test build in $TAVROLA_PROGRAM_DIR (./scripts/build.sh test)"
[[ -x "$wm_delete" && -x "$make_month_data" ]] || fail "tavrola_wm_delete or make_month_data not built"
libfaketime=""
for candidate in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
    [[ -f "$candidate" ]] && libfaketime="$candidate" && break
done
[[ -n "$libfaketime" ]] || fail "libfaketime not installed"

# The months the run passes through, computed for the default place.
first_month="${start_at:0:7}"
last_month="${end_at:0:7}"
"$make_month_data" "$work/www" "$first_month" "$last_month" >/dev/null || fail "make_month_data failed"

# A certificate valid over the faked dates whatever the real date is: made at a faked time too.
LD_PRELOAD="$libfaketime" FAKETIME="@${start_at:0:10} 00:00:00" FAKETIME_DONT_FAKE_MONOTONIC=1 \
    openssl req -x509 -newkey rsa:2048 -nodes -keyout "$work/server.key" -out "$work/server.pem" -days 30 \
    -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 >/dev/null 2>&1 || fail "openssl failed"

python3 -u "$root/tests/support/https_month_server.py" --cert "$work/server.pem" --key "$work/server.key" \
    --root "$work/www" --log "$work/server.log" >"$work/server.out" 2>&1 &
server_pid=$!
port=""
for _ in $(seq 100); do
    # The server's child may not have opened its output yet.
    port="$(sed -n 's/^PORT //p' "$work/server.out" 2>/dev/null || true)"
    [[ -n "$port" ]] && break
    sleep 0.1
done
[[ -n "$port" ]] || fail "the data server did not start: $(cat "$work/server.out")"

prog="$work/prog"
cp -r "$TAVROLA_PROGRAM_DIR" "$prog"
rm -rf "$prog/dbase" "$prog/setting.ini" "$prog/backup"
mkdir -p "$prog/dbase"
# No database: the updater fetches the first month at start-up, the next one by itself.
printf '%s\r\n' '[TAJUK-01]' 'TITLE01=Masjid Ujian' 'TSIZE=50' 'TITLE02=Ujian sebulan' 'FSIZE=30' \
    'TEMPAT=Tempat' '[TARIKH_HIJRAH]' 'MASA=0' '[12-24HRS]' 'SETJAM=0' '[SERVER]' "DATA_HOST=127.0.0.1:$port" \
    '[JADUAL]' "KOMPUTER_TUTUP=$shutdown_at" >"$prog/setting.ini"

# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
start_xvfb

# faketime preloads itself ahead of the sanitizer runtime; xkbcommon's unterminated strndup buffers
# trip strict string checks. A small quarantine keeps freed memory from looking like growth.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0:strict_string_checks=0:quarantine_size_mb=16"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# The speed lives in a file the driver rewrites; FAKETIME itself would override the file.
spec="$work/faketime.rc"
echo "@$start_at x40" >"$spec"
unset FAKETIME
env LD_PRELOAD="$libfaketime" FAKETIME_TIMESTAMP_FILE="$spec" FAKETIME_XRESET=1 FAKETIME_CACHE_DURATION=1 \
    FAKETIME_DONT_FAKE_MONOTONIC=1 TAVROLA_TEST_CA="$work/server.pem" TAVROLA_TESTING=1 \
    TAVROLA_STATE_FILE="$work/state.txt" TAVROLA_SPEECH_LOG="$work/speech.log" \
    "$prog/tavrola" >"$work/clock.log" 2>&1 &
clock_pid=$!

set +e
python3 -u "$root/tests/e2e/soak_driver.py" --pid "$clock_pid" --state "$work/state.txt" \
    --speech "$work/speech.log" --server-log "$work/server.log" --spec "$spec" --docs "$work/www" \
    --start "$start_at" --end "$end_at" --shutdown "$shutdown_at" --wm-delete "$wm_delete" --budget "$budget"
rc=$?
set -e
if [[ $rc -ne 0 ]]; then
    echo "server requests:" >&2
    sed 's/^/  /' "$work/server.log" >&2 2>/dev/null || true
    fail "soak checks failed"
fi
grep -aq "ERROR: AddressSanitizer\|runtime error:" "$work/clock.log" && fail "sanitizer report in the clock's log"
echo "PASS: soak from $start_at to $end_at"
