# Sourced by the end-to-end scripts: a work folder removed on exit with every process started here,
# a private Xvfb on a display number it picks itself, polling, libfaketime, a copy of the program
# folder and the local HTTPS data server.
set -euo pipefail
e2e_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
e2e_pids=()
e2e_logs=() # printed by fail

e2e_cleanup() {
    local pid lock
    for pid in "${e2e_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        # A killed clock cannot remove its lock; only the one naming its process goes.
        for lock in "${TMPDIR:-/tmp}"/tavrola-*.lock; do
            [[ -f "$lock" && "$(head -n1 "$lock" 2>/dev/null)" == "$pid" ]] && rm -f "$lock"
        done
    done
    wait 2>/dev/null || true
    if [[ -n "${E2E_KEEP:-}" ]]; then echo "work folder kept: $work"; else rm -rf "$work"; fi
}
trap e2e_cleanup EXIT

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

# Polls a command, run anew each time, for up to $1 seconds.
wait_for() {
    local seconds="$1" i
    shift
    for ((i = 0; i < seconds * 10; i++)); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

# Xvfb of the given size (1920x1080 by default); exports DISPLAY.
start_xvfb() {
    need Xvfb
    Xvfb -displayfd 3 -screen 0 "${1:-1920x1080}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    e2e_pids+=($!)
    wait_for 10 test -s "$work/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n1 "$work/display")"
}

# Sets libfaketime to the preloadable library.
find_libfaketime() {
    libfaketime=""
    local candidate
    for candidate in /usr/lib/*/faketime/libfaketime.so.1 /usr/lib/faketime/libfaketime.so.1; do
        [[ -f "$candidate" ]] && libfaketime="$candidate" && return 0
    done
    fail "libfaketime not installed"
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
        --log "$work/server.log" >"$work/server.out" 2>&1 &
    e2e_pids+=($!)
    e2e_logs+=("$work/server.out")
    https_port=""
    local i
    for ((i = 0; i < 300; i++)); do
        https_port="$(sed -n 's/^PORT //p' "$work/server.out" 2>/dev/null || true)"
        [[ -n "$https_port" ]] && break
        sleep 0.1
    done
    [[ -n "$https_port" ]] || fail "the data server did not start"
    export TAVROLA_TEST_CA="$work/cert/cert.pem"
}
