#!/usr/bin/env bash
# The notification-area icon on a real X display with a tray host (trayer): closing the clock
# window leaves the program running behind an icon, a right click on the icon does nothing, a left
# click opens the menu, and its last item, "&Keluar", ends the program.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
need trayer xdotool xwininfo
wm_delete="${TAVROLA_BINARY_DIR:?}/tests/tavrola_wm_delete"
start_xvfb 1024x768
trayer --edge top --align left --widthtype request --height 32 --SetDockType false --transparent false \
    >"$work/trayer.log" 2>&1 &
e2e_pids+=($!)
wait_for 10 xdotool search --name '^panel$' >/dev/null || fail "trayer did not start"

# A settings file (a missing one would bring up the "restored" message first) and no data server.
prepare_program
printf '[JADUAL]\r\nKOMPUTER_TUTUP=\r\n[WSOLAT_JAM]\r\nSKROL=OFF\r\n' >"$prog/setting.ini"
"$prog/tavrola" >"$work/program.log" 2>&1 &
program=$!
e2e_pids+=("$program")
e2e_logs+=("$work/program.log")

visible_windows() { xdotool search --onlyvisible --pid "$program" 2>/dev/null || true; }
clock_window() { xdotool search --onlyvisible --name '^Tavrola$' 2>/dev/null | head -n1; }
has_clock() { test -n "$(clock_window)"; }
hidden() { xwininfo -id "$1" | grep -q 'Map State: IsUnMapped'; }
visible_count_is() { test "$(visible_windows | wc -l)" -eq "$1"; }
ended() { ! kill -0 "$program" 2>/dev/null; }
centre_and_box() { # x y w h of a window
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

wait_for 20 has_clock || fail "the clock window did not appear"
clock="$(clock_window)"
"$wm_delete" "$clock" # as a window manager's close box would
wait_for 10 hidden "$clock" || fail "closing the clock did not hide it"
wait_for 10 visible_count_is 1 || fail "no icon in the notification area"
kill -0 "$program" || fail "closing the clock ended the program"
ls "$prog/backup/"setting.ini.bak.* >/dev/null || fail "the first close made no backup of setting.ini"
icon="$(visible_windows)"
read -r x y w h < <(centre_and_box "$icon")

xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
sleep 1
visible_count_is 1 || fail "a right click opened something"
hidden "$clock" || fail "a right click showed the clock"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
wait_for 10 visible_count_is 2 || fail "a left click did not open the menu"
menu="$(visible_windows | grep -vx "$icon" | head -n1)"
read -r mx my mw mh < <(centre_and_box "$menu")
hidden "$clock" || fail "the menu showed the clock"

# "&Keluar" is the last item: click just above the menu's lower edge.
xdotool mousemove "$((mx + mw / 2))" "$((my + mh - 10))"
sleep 0.3
xdotool click 1
wait_for 10 ended || fail "choosing Keluar did not end the program"
status=0
wait "$program" || status=$?
test "$status" -eq 0 || fail "the program ended with status $status"
echo "PASS"
