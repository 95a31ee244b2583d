#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures what the clock costs to run: starts the real program under Xvfb at 1920x1080 from a
# prepared program folder (a month's database, default settings), waits 15 s, then measures for 60 s
# the CPU seconds of the program and of the X server and the program's peak PSS and RSS.
#
# usage: scripts/measure-idle.sh [--skrol ON|OFF] [--seconds N] [--program-dir DIR] [--perf FILE]
#   --perf FILE  also records a call-graph profile of the program over the measured time (perf)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
skrol=ON
seconds=60
program_dir="$root/build/tavrola"
perf_file=""
while [ $# -gt 0 ]; do
    case "$1" in
    --skrol) skrol="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --program-dir) program_dir="$2"; shift 2 ;;
    --perf) perf_file="$2"; shift 2 ;;
    *) echo "unknown argument: $1" >&2; exit 2 ;;
    esac
done
[ -x "$program_dir/tavrola" ] || { echo "no program in $program_dir: run ./scripts/build.sh release" >&2; exit 1; }

work="$(mktemp -d)"
cleanup() {
    if [ -n "${app_pid:-}" ]; then
        kill "$app_pid" 2>/dev/null || true
        # The killed program cannot remove its single-instance lock; only the one naming it goes.
        for lock in "${TMPDIR:-/tmp}"/tavrola-*.lock; do
            [ -f "$lock" ] && [ "$(head -n1 "$lock" 2>/dev/null)" = "$app_pid" ] && rm -f "$lock"
        done
    fi
    [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

cp -r "$program_dir/." "$work/"
rm -rf "$work/setting.ini" "$work/backup" "$work/dbase"
python3 "$root/scripts/make-test-database.py" "$work"
# The default settings, with the strip as asked.
printf '%s\r\n' "[TAJUK-01]" "TSIZE=50" "FSIZE=30" "GSIZE=60" "TEMPAT=Nama Tempat" "TITLE01=Tajuk 1" \
    "TITLE02=Tajuk 2" "" "[GAMBAR]" 'LOGO1=.\logo\logo.gif' "" "[VSCROLL-01]" "VHIGHT=797" "" \
    "[HSCROLL-01]" "HHIGHT=17388" "" "[12-24HRS]" "SETJAM=0" "" "[TARIKH_HIJRAH]" "MASA=1" "" \
    "[JADUAL]" "KOMPUTER_TUTUP=" "" "[WSOLAT_JAM]" "SKROL=$skrol" >"$work/setting.ini"

# The server picks a free display number itself and writes it once it accepts connections.
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
x_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.05; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
display=":$(cat "$work/display")"

ticks=$(getconf CLK_TCK)
wakeups() { # voluntary context switches of a process's main thread: roughly its wake-ups
    awk '/^voluntary_ctxt_switches:/ { print $2 }' "/proc/$1/status"
}
cpu_seconds() { # utime + stime of a process, in seconds
    awk -v t="$ticks" '{ print ($14 + $15) / t }' "/proc/$1/stat"
}

start_ns=$(date +%s%N)
DISPLAY="$display" TAVROLA_TRACE_STARTUP=1 "$work/tavrola" >"$work/stdout.log" 2>"$work/stderr.log" &
app_pid=$!
mapped_ms=""
for _ in $(seq 500); do
    if DISPLAY="$display" xdotool search --onlyvisible --name '^Tavrola$' >/dev/null 2>&1; then
        mapped_ms=$(( ($(date +%s%N) - start_ns) / 1000000 ))
        break
    fi
    sleep 0.01
done
sleep 15
alive() {
    kill -0 "$app_pid" 2>/dev/null && return 0
    local status=0
    wait "$app_pid" 2>/dev/null || status=$?
    echo "the program ended early (exit status $status); its messages:" >&2
    cat "$work/stderr.log" >&2
    exit 1
}
alive
app0=$(cpu_seconds "$app_pid"); x0=$(cpu_seconds "$x_pid"); w0=$(wakeups "$app_pid")
if [ -n "$perf_file" ]; then
    perf record -q -g -F 999 -p "$app_pid" -o "$perf_file" -- sleep "$seconds" >/dev/null 2>&1 &
    perf_pid=$!
fi
peak_pss=0
for _ in $(seq "$seconds"); do
    sleep 1
    alive
    pss=$(awk '/^Pss:/ { print $2 }' "/proc/$app_pid/smaps_rollup")
    [ "$pss" -gt "$peak_pss" ] && peak_pss=$pss
done
app1=$(cpu_seconds "$app_pid"); x1=$(cpu_seconds "$x_pid"); w1=$(wakeups "$app_pid")
[ -n "$perf_file" ] && wait "$perf_pid" 2>/dev/null || true
hwm=$(awk '/^VmHWM:/ { print $2 }' "/proc/$app_pid/status")
first_paint=$(grep -o 'first-paint-ms [0-9]*' "$work/stderr.log" | awk '{ print $2 }' | head -1 || true)

echo "SKROL=$skrol, ${seconds} s at 1920x1080"
awk -v a="$app0" -v b="$app1" -v s="$seconds" 'BEGIN { printf "program CPU: %.3f s (%.3f s per minute)\n", b - a, (b - a) * 60 / s }'
awk -v a="$x0" -v b="$x1" -v s="$seconds" 'BEGIN { printf "X server CPU: %.3f s (%.3f s per minute)\n", b - a, (b - a) * 60 / s }'
awk -v p="$peak_pss" 'BEGIN { printf "program peak PSS: %.1f MiB\n", p / 1024 }'
awk -v p="$hwm" 'BEGIN { printf "program peak RSS: %.1f MiB\n", p / 1024 }'
awk -v a="$w0" -v b="$w1" -v s="$seconds" 'BEGIN { printf "program main thread wake-ups: %.1f per second\n", (b - a) / s }'
echo "window mapped after: ${mapped_ms:-?} ms"
echo "first painted clock after: ${first_paint:-?} ms"
