#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The screen by day and by night under Xvfb (no DPMS there, so night is a black window): with
# PADAM=22:30 and HIDUP=SUBUH-30 the clock at 23:00 is black within 2 s and a mouse move wakes it; at
# 21:00 it is the normal clock. With the screen saver's time-out at 2 s the saver stays off while the
# clock runs and comes on after it ends.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
need xdotool import identify xset
prepare_program
printf '%s\r\n' '[12-24HRS]' 'SETJAM=0' '[MALAM]' 'PADAM=22:30' 'HIDUP=SUBUH-30' >"$prog/setting.ini"
start_xvfb 1280x720
faked_clock
log="$prog/log/tavrola.log"
e2e_logs+=("$work/clock.log" "$log")
xdotool mousemove 5 5

# Starts the clock at the frozen time $1; sets clock_pid.
start_clock() {
    "${faked[@]}" FAKETIME="$1" "$prog/tavrola" >"$work/clock.log" 2>&1 &
    clock_pid=$!
    e2e_pids+=("$clock_pid")
    shown() { xdotool search --onlyvisible --name '^Tavrola$' >/dev/null 2>&1; }
    wait_for 60 shown || fail "no clock window at $1"
}
# The brightest value on the screen, 0 for all black, 1 for white.
brightest() { import -window root "$work/shot.png" && identify -format '%[fx:maxima]' "$work/shot.png"; }
# The night's black is one step above pure black, which the window keys out.
black() { awk -v b="$(brightest)" 'BEGIN { exit !(b < 0.01) }'; }
lit() { awk -v b="$(brightest)" 'BEGIN { exit !(b > 0.1) }'; }

start_clock "2026-12-05 23:00:00"
shown_at=$(date +%s%N)
# The log first: a screen not yet painted is black too.
night_logged() { grep -aq 'Night: screen black' "$log" 2>/dev/null; }
wait_for 10 night_logged || fail "the night was not logged"
wait_for 10 black || fail "the clock at 23:00 is not black"
black_ms=$((($(date +%s%N) - shown_at) / 1000000))
((black_ms <= 2000)) || fail "black only ${black_ms} ms after the window showed"
cp "$work/shot.png" "$work/night.png"
xdotool mousemove 600 300
wait_for 5 lit || fail "a mouse move did not wake the clock"
cp "$work/shot.png" "$work/woken.png"
grep -aq 'Night: screen on' "$log" || fail "the wake was not logged"
stop_pid "$clock_pid"

start_clock "2026-12-05 21:00:00"
wait_for 10 lit || fail "the clock at 21:00 is black"
cp "$work/shot.png" "$work/day.png"
[[ "$(grep -ac 'Night:' "$log")" -eq 2 ]] || fail "the day clock changed the night state"

stop_pid "$clock_pid"

# The saver, on the Xorg dummy server (Xvfb keeps no saver time-out): at 2 s it would be on by now;
# it stays off while the clock runs and comes on after it ends. Needs root to start Xorg.
if command -v xssstate Xorg >/dev/null && [[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so && "$(id -u)" -eq 0 ]]; then
    display=":$(for n in $(seq 90 130); do [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { echo "$n"; break; }; done)"
    Xorg "$display" -noreset -nolisten tcp -config "$e2e_dir/xorg-dummy.conf" -logfile "$work/Xorg.log" \
        >"$work/xorg.out" 2>&1 &
    e2e_pids+=($!)
    export DISPLAY="$display"
    saver() { [[ "$(xssstate -s 2>/dev/null)" == "$1" ]]; }
    wait_for 10 saver off || fail "Xorg did not start"
    xset s 2 2
    start_clock "2026-12-05 21:00:00"
    for ((i = 0; i < 6; i++)); do
        saver on && fail "the screen saver came on while the clock runs"
        sleep 1
    done
    stop_pid "$clock_pid"
    wait_for 10 saver on || fail "the screen saver did not come on after the clock ended: $(xssstate -s)"
    echo "screen saver off while the clock ran with a 2 s time-out, on after it ended"
fi
echo "PASS: black ${black_ms} ms after the window showed at 23:00; a mouse move woke it; normal at 21:00"
