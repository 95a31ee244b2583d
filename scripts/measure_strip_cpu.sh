#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the CPU use of the scrolling strip on a 1920x1080 window: the same window with the strip
# still ("OFF") and running, each for the given seconds (default 60), on a virtual X display.
# Usage: scripts/measure_strip_cpu.sh [seconds]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
"$root/scripts/build.sh" bench >/dev/null
program="$root/build/bench/bench/strip_cpu"

run() { # $1: SKROL value
    local out cpu
    TIMEFORMAT='%U %S %R'
    { cpu=$( { time xvfb-run -a -s "-screen 0 1920x1080x24" "$program" "$seconds" "$1" >/tmp/strip_cpu.$$ 2>/dev/null; } 2>&1 ); }
    out=$(cat /tmp/strip_cpu.$$)
    rm -f /tmp/strip_cpu.$$
    read -r user sys real <<<"$cpu"
    awk -v u="$user" -v s="$sys" -v r="$real" -v m="$1" -v o="$out" \
        'BEGIN { printf "strip %-3s  cpu %.2f s of %.1f s wall = %.1f%% of one core  (%s)\n", (m == "" ? "ON" : m), u + s, r, 100 * (u + s) / r, o }'
}
run OFF
run ""
