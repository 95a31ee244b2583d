#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Two monitors side by side on a real X server (Xorg with the dummy video driver): the window covers
# the monitor under the mouse, F12 moves it to the other one and back, the report lists both monitors,
# and when a monitor is switched off the window ends up on the one that is left.
# Needs xserver-xorg-core, xserver-xorg-video-dummy, x11-xserver-utils and xdotool, and root to start
# Xorg; exits 77 (skipped) without them.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
program="${TAVROLA_MONITOR_PROGRAM:-${TAVROLA_BINARY_DIR:-build/test}/tests/monitor_stand_in}"
for tool in Xorg xrandr xdotool; do command -v "$tool" >/dev/null || skip "$tool not installed"; done
[ -e /usr/lib/xorg/modules/drivers/dummy_drv.so ] || skip "dummy video driver not installed"
[ "$(id -u)" -eq 0 ] || skip "starting Xorg needs root here"
[ -x "$program" ] || fail "$program not built"

display=":$(for n in $(seq 90 130); do [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || { echo "$n"; break; }; done)"
[[ "$display" != ":" ]] || fail "no free display number"
Xorg "$display" -noreset -nolisten tcp -config "$e2e_dir/xorg-dummy.conf" -logfile "$work/Xorg.log" >"$work/xorg.out" 2>&1 &
e2e_pids+=($!)
e2e_logs+=("$work/xorg.out")
export DISPLAY="$display"
xrandr_answers() { xrandr >/dev/null 2>&1; }
wait_for 30 xrandr_answers || fail "Xorg did not start"

# Two 1024x768 monitors, DUMMY1 to the right of DUMMY0.
xrandr --output DUMMY0 --mode 1024x768 --pos 0x0
xrandr --addmode DUMMY1 1024x768
xrandr --output DUMMY1 --mode 1024x768 --right-of DUMMY0
xrandr --listmonitors

report="$work/report.txt"
e2e_logs+=("$report" "$work/program.out")
report_has() { [ -f "$report" ] && grep -qxF "$1" "$report"; }
expect_line() { wait_for 30 report_has "$1" || fail "report lacks: $1"; } # a whole line of the report
expect_geometry() { expect_line "Geometry: $1"; } # "x y w h"

# The mouse over the right-hand monitor: the window covers that one.
xdotool mousemove 1500 300
# libxkbcommon-x11 hands strndup a buffer without a terminating zero, which strict string checks
# report; and the program is ended by a signal, so there is no leak check to run.
ASAN_OPTIONS="detect_leaks=0:strict_string_checks=0" \
    QT_QPA_PLATFORM=xcb TAVROLA_REPORT_FILE="$report" "$program" >"$work/program.out" 2>&1 &
program_pid=$!
e2e_pids+=("$program_pid")
expect_geometry "1024 0 1024 768"
expect_line "Number of monitors: 2"
expect_line "This window is over monitor: 2"
expect_line "The mouse is over monitor: 2"
expect_line '0: "Virtual", Desktop: False, VGA: False, Visible: True'
expect_line '1: "DUMMY0", Desktop: True, VGA: True, Visible: True, Primary'
expect_line '2: "DUMMY1", Desktop: True, VGA: True, Visible: True'
expect_line "Resolution: Display Resolution: 1024 x 768"
echo "covers the monitor under the mouse; report lists both monitors"

# F12 cycles: to monitor 1, then back to 2.
xdotool key F12
expect_geometry "0 0 1024 768"
xdotool mousemove 500 300
xdotool key F12
expect_geometry "1024 0 1024 768"
echo "F12 moves to the other monitor and back"

# The monitor the window is on is switched off: it goes to the one that is left.
xrandr --output DUMMY1 --off
expect_line "Number of monitors: 1"
expect_geometry "0 0 1024 768"
echo "after switching DUMMY1 off the window covers DUMMY0"

kill -0 "$program_pid" || fail "the program ended"
echo "PASS"
