#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The notification-area icon on a real X display with a tray host (trayer): closing the clock
# window leaves the program running behind an icon, a right click on the icon does nothing, a left
# click opens the menu, and its last item, "&Keluar", ends the program.
# Every step waits for what it needs to see, never for a fixed time: a loaded machine only slows it.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
need trayer xdotool xwininfo
wm_delete="${TAVROLA_BINARY_DIR:?}/tests/tavrola_wm_delete"
start_xvfb 1024x768
trayer --edge top --align left --widthtype request --height 32 --SetDockType false --transparent false \
    >"$work/trayer.log" 2>&1 &
e2e_pids+=($!)
e2e_logs+=("$work/trayer.log")
wait_for 30 xdotool search --name '^panel$' >/dev/null || fail "trayer did not start"

# A settings file (a missing one would bring up the "restored" message first) and no data server.
prepare_program
printf '[JADUAL]\r\nKOMPUTER_TUTUP=\r\n[WSOLAT_JAM]\r\nSKROL=OFF\r\n' >"$prog/setting.ini"
"$prog/tavrola" >"$work/program.log" 2>&1 &
program=$!
e2e_pids+=("$program")
e2e_logs+=("$work/program.log")

# The program's visible windows other than those named (the icon, then the menu); the pointer is moved
# off the icon after each click so that no tool tip comes up and counts as a window.
windows_but() { xdotool search --onlyvisible --pid "$program" 2>/dev/null | grep -vxF -e "${1:-none}" -e "${2:-none}" || true; }
one_window_but() { found="$(windows_but "$@")" && [[ -n "$found" && "$(wc -l <<<"$found")" -eq 1 ]]; }
clock_window() { xdotool search --onlyvisible --name '^Tavrola$' 2>/dev/null | head -n1 || true; }
has_clock() { clock="$(clock_window)" && [[ -n "$clock" ]]; }
hidden() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsUnMapped'; }
ended() { ! kill -0 "$program" 2>/dev/null; }
box() { # x y w h of a window
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
state() { echo "visible windows: $(windows_but | tr '\n' ' ')"; }

wait_for 60 has_clock || fail "the clock window did not appear; $(state)"
"$wm_delete" "$clock" # as a window manager's close box would
wait_for 30 hidden "$clock" || fail "closing the clock did not hide it; $(state)"
wait_for 30 one_window_but "$clock" || fail "no icon in the notification area; $(state)"
icon="$found"
kill -0 "$program" || fail "closing the clock ended the program"
ls "$prog/backup/"setting.ini.bak.* >/dev/null || fail "the first close made no backup of setting.ini"
read -r x y w h < <(box "$icon")

# A right click, then a left click: only the left one opens a window, the menu.
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3 mousemove 600 600
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1 mousemove 600 600
wait_for 30 one_window_but "$icon" || fail "a left click did not open the menu; $(state)"
menu="$found"
sleep 1 # the one fixed wait: time for a second window the right click might have opened
one_window_but "$icon" || fail "a right click opened something; $(state)"
hidden "$clock" || fail "a click on the icon showed the clock"

# "&Keluar" is the last item: click just above the menu's lower edge.
read -r mx my mw mh < <(box "$menu")
xdotool mousemove "$((mx + mw / 2))" "$((my + mh - 10))" click 1
wait_for 30 ended || fail "choosing Keluar did not end the program; $(state)"
status=0
wait "$program" || status=$?
test "$status" -eq 0 || fail "the program ended with status $status"
echo "PASS"
