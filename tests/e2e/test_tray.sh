#!/usr/bin/env bash
# The notification-area icon on a real X display with a tray host (trayer): closing the clock
# window leaves the program running behind an icon, a right click on the icon does nothing, a left
# click opens the menu, and its last item, "&Keluar", ends the program.
set -euo pipefail
# Whatever is clicked, the real shell service must never switch this machine off.
export TAVROLA_TESTING=1

bin="${TAVROLA_BINARY_DIR:?}/tests"
program_dir="${TAVROLA_PROGRAM_DIR:?the built program folder}"
wm_delete="$bin/tavrola_wm_delete"
for tool in Xvfb trayer xdotool xwininfo; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)" >&2; exit 1; }
done

work="$(mktemp -d)"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [[ -f "$work/program.log" ]] && sed 's/^/  program: /' "$work/program.log" >&2
    [[ -n "${DISPLAY:-}" ]] && xwininfo -root -tree >&2
    exit 1
}

# Polls a condition (a command, run anew each time) for up to $1 seconds.
wait_for() {
    local seconds="$1"
    shift
    for ((i = 0; i < seconds * 10; i++)); do
        if "$@"; then return 0; fi
        sleep 0.1
    done
    return 1
}

# A display of our own, whichever number is free.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=":$(head -n1 "$work/display")"

trayer --edge top --align left --widthtype request --height 32 --SetDockType false --transparent false \
    >"$work/trayer.log" 2>&1 &
pids+=($!)
wait_for 10 xdotool search --name '^panel$' >/dev/null || fail "trayer did not start"

# The real program, from a copy of the program folder with a settings file (a missing one would
# bring up the "restored" message first) and no data server (the month is computed locally).
folder="$work/program"
cp -r "$program_dir" "$folder"
rm -rf "$folder/setting.ini" "$folder/backup" "$folder/dbase"
printf '[JADUAL]\r\nKOMPUTER_TUTUP=\r\n[WSOLAT_JAM]\r\nSKROL=OFF\r\n' >"$folder/setting.ini"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
# libxkbcommon-x11 hands strndup a buffer without a final zero, which strict string checks report
# although strndup never reads past the length it is given.
asan="${ASAN_OPTIONS:-}"
ASAN_OPTIONS="${asan//strict_string_checks=1/strict_string_checks=0}" "$folder/tavrola" >"$work/program.log" 2>&1 &
program=$!
pids+=($program)

visible_windows() { xdotool search --onlyvisible --pid "$program" 2>/dev/null || true; }
clock_window() { xdotool search --onlyvisible --name '^Tavrola$' 2>/dev/null | head -n1; }
map_state() { xwininfo -id "$1" | awk '/Map State:/ {print $3}'; }
has_clock() { test -n "$(clock_window)"; }
hidden() { test "$(map_state "$1")" = IsUnMapped; }
visible_count_is() { test "$(visible_windows | wc -l)" -eq "$1"; }
ended() { ! kill -0 "$program" 2>/dev/null; }

wait_for 20 has_clock || fail "the clock window did not appear"
clock="$(clock_window)"

# Close the clock as a window manager's close box would.
"$wm_delete" "$clock"
wait_for 10 hidden "$clock" || fail "closing the clock did not hide it"
wait_for 10 visible_count_is 1 || fail "no icon in the notification area"
kill -0 "$program" || fail "closing the clock ended the program"
ls "$folder/backup/"setting.ini.bak.* >/dev/null || fail "the first close made no backup of setting.ini"
icon="$(visible_windows)"

# The icon's centre in screen coordinates.
read -r x y w h < <(xwininfo -id "$icon" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
cx=$((x + w / 2))
cy=$((y + h / 2))

xdotool mousemove "$cx" "$cy" click 3
sleep 1
visible_count_is 1 || fail "a right click opened something"
hidden "$clock" || fail "a right click showed the clock"

xdotool mousemove "$cx" "$cy" click 1
wait_for 10 visible_count_is 2 || fail "a left click did not open the menu"
menu="$(visible_windows | grep -vx "$icon" | head -n1)"
read -r mx my mw mh < <(xwininfo -id "$menu" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}')
hidden "$clock" || fail "the menu showed the clock"

# "&Keluar" is the last item: click just above the menu's lower edge.
xdotool mousemove "$((mx + mw / 2))" "$((my + mh - 10))"
sleep 0.3
xdotool click 1
wait_for 10 ended || fail "choosing Keluar did not end the program"
status=0
wait "$program" || status=$?
test "$status" -eq 0 || fail "the program ended with status $status"
echo "1 passed, 0 failed"
