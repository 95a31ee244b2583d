# Sourced by the end-to-end scripts: a private Xvfb at 1920x1080 on a display number it picks itself
# (a fixed or random number can collide with another X server). Needs $work and a fail function;
# sets xvfb_pid and exports DISPLAY.
start_xvfb() {
    exec 3>"$work/display"
    Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [[ -s "$work/display" ]] && break
        sleep 0.1
    done
    [[ -s "$work/display" ]] || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
}
