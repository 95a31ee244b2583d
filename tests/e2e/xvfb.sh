# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end scripts: a work folder removed on exit with every process started here,
# a private Xvfb on a display number it picks itself, polling, libfaketime, a copy of the program
# folder and the local HTTPS data server.
set -euo pipefail
e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
e2e_pids=()
e2e_logs=() # printed by fail

# Ends one process started here (the clock ends on SIGTERM as from its menu, removing its lock).
stop_pid() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    return 0
}
e2e_cleanup() {
    local pid
    for pid in "${e2e_pids[@]}"; do stop_pid "$pid"; done
    if [[ -n "${E2E_KEEP:-}" ]]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
}
trap e2e_cleanup EXIT
# A command failing outside a check says where, instead of ending the script silently.
set -E
trap 'fail "line $LINENO: \"$BASH_COMMAND\" failed"' ERR

fail() {
    echo "FAIL: $*" >&2
    local log
    for log in "${e2e_logs[@]}"; do
        [[ -f "$log" ]] && tail -n 40 "$log" | sed "s|^|  $(basename "$log"): |" >&2
    done
    exit 1
}
skip() {
    echo "SKIP: $*"
    exit 77
}
need() {
    local tool
    for tool; do command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh installs it)"; done
}

# Polls a command, run anew each time, for up to $1 seconds: what a test waits for, never a fixed time.
wait_for() {
    local end=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < end)) || return 1
        sleep 0.1
    done
}

# Xvfb of the given size (1920x1080 by default); exports DISPLAY.
start_xvfb() {
    need Xvfb
    Xvfb -displayfd 3 -screen 0 "${1:-1920x1080}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    e2e_pids+=($!)
    wait_for 30 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# Sets libfaketime to the preloadable library.
find_libfaketime() {
    libfaketime="$(ls /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1 2>/dev/null | head -n1)" ||
        true
    [[ -n "$libfaketime" ]] || fail "libfaketime not installed"
}
# Sets faked to the prefix that runs a command under libfaketime; the caller adds FAKETIME=... after it
# ("yyyy-mm-dd hh:mm:ss" frozen, "@..." running on). A prefix, not a function: $! is then the program.
faked_clock() {
    find_libfaketime
    faked=(env LD_PRELOAD="$libfaketime" FAKETIME_DONT_FAKE_MONOTONIC=1)
}

# A copy of the built program folder in $prog without settings, database or backups, and the
# environment the program runs in here: faketime preloads itself ahead of the sanitizer runtime, and
# xkbcommon hands strndup buffers without a final zero, which strict string checks take for an overflow.
prepare_program() {
    : "${TAVROLA_PROGRAM_DIR:?the built program folder}"
    prog="$work/prog"
    cp -r "$TAVROLA_PROGRAM_DIR" "$prog"
    rm -rf "$prog/dbase" "$prog/setting.ini" "$prog/backup"
    mkdir -p "$prog/dbase"
    local asan="${ASAN_OPTIONS:-}"
    export ASAN_OPTIONS="${asan//strict_string_checks=1/strict_string_checks=0}${asan:+:}verify_asan_link_order=0"
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 -p "$XDG_RUNTIME_DIR"
    export TAVROLA_TESTING=1 # the real shell service never switches this machine off
}

# tests/support/https_month_server.py serving $1; sets https_port, with the certificate in
# $work/cert (trusted through TAVROLA_TEST_CA). A second argument fakes the time the certificate is
# made at, so that it is valid over faked dates.
start_https_server() {
    need python3 openssl
    local preload=()
    [[ -n "${2:-}" ]] && find_libfaketime && preload=(env LD_PRELOAD="$libfaketime" FAKETIME="@$2")
    "${preload[@]}" python3 -u "$e2e_dir/../support/https_month_server.py" --cert-dir "$work/cert" --root "$1" \
        >"$work/server.out" 2>&1 &
    e2e_pids+=($!)
    e2e_logs+=("$work/server.out")
    server_port() { https_port="$(sed -n 's/^PORT //p' "$work/server.out" 2>/dev/null)" && [[ -n "$https_port" ]]; }
    wait_for 30 server_port || fail "the data server did not start"
    export TAVROLA_TEST_CA="$work/cert/cert.pem"
}
