#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# `tavrola --guard` under Xvfb: a clock killed with SIGSEGV is back within 5 s, a stopped (hung) one is
# replaced within 45 s, ten kills in a row never leave the screen without a clock for longer than the
# backoff, each restart is logged, the files stay as they were, and the guard ends with the clock and
# ends the clock when it is stopped itself.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
need xdotool md5sum pgrep
prepare_program
printf '%s\r\n' '[12-24HRS]' 'SETJAM=0' '[TAJUK-01]' 'TITLE01=Masjid Ujian' >"$prog/setting.ini"
start_xvfb
# Children are killed on purpose; SIGSEGV ends the process as in a release build.
export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0:handle_segv=0"
log="$prog/log/tavrola.log"
e2e_logs+=("$work/guard.out" "$log")
"$prog/tavrola" --guard >"$work/guard.out" 2>&1 &
guard_pid=$!
e2e_pids+=("$guard_pid")

child() { pgrep -P "$guard_pid" -x tavrola | head -n1; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The clock on the screen, run by a child other than $1.
clock_from_new_child() {
    kill -0 "$guard_pid" 2>/dev/null || fail "the guard ended"
    local pid
    pid="$(child)"
    [[ -n "$pid" && "$pid" != "${1:-}" ]] && xdotool search --onlyvisible --pid "$pid" --name '^Tavrola$' >/dev/null 2>&1
}
wait_for 60 clock_from_new_child || fail "no clock window under the guard"
# Every start computes the month afresh (its UPDATE_DATE and LAST_UPDATE lines change); the times
# and the settings must stay as they were, whatever the kills leave.
db_settled() { grep -aq '^CACHE_MONTH=' "$prog/dbase/dbsolat.dat" 2>/dev/null; }
wait_for 30 db_settled || fail "no database"
files_sum() { md5sum <"$prog/setting.ini" && grep -avE '^(UPDATE_DATE|LAST_UPDATE)=' "$prog/dbase/dbsolat.dat" | md5sum; }
files_before="$(files_sum)"

# Kills the clock with signal $1 and waits up to $2 s for a new child's clock; sets gap_ms.
kill_and_wait() {
    local old start
    old="$(child)"
    start="$(now_ms)"
    kill "-$1" "$old"
    wait_for "$2" clock_from_new_child "$old" || fail "no new clock ${2} s after SIG$1"
    gap_ms=$(($(now_ms) - start))
}
new_process() { # other than $1
    local pid
    pid="$(child)"
    [[ -n "$pid" && "$pid" != "$1" ]]
}

old="$(child)"
start="$(now_ms)"
kill -SEGV "$old"
wait_for 5 new_process "$old" || fail "no new clock process within 5 s of SIGSEGV"
restart_ms=$(($(now_ms) - start))
wait_for 60 clock_from_new_child "$old" || fail "the restarted clock shows no window"
segv_ms=$(($(now_ms) - start))

kill_and_wait STOP 45
stop_ms=$gap_ms
grep -aq 'hung: no heartbeat for 30 s' "$log" || fail "the hang was not logged"

max_gap=0
for ((i = 0; i < 10; i++)); do
    kill_and_wait KILL 90 # the backoff's 60 s and a start
    ((gap_ms > max_gap)) && max_gap=$gap_ms
done
((max_gap <= 60000 + 15000)) || fail "the screen was without a clock for ${max_gap} ms"
restarts="$(grep -ac 'starting it again' "$log")"
((restarts == 12)) || fail "$restarts restarts logged, 12 expected"
grep -aq 'starting it again in 60 s' "$log" || fail "no backoff logged"
[[ "$(files_sum)" == "$files_before" ]] || fail "setting.ini or the database changed"

# The clock ends as from its menu: the guard ends with it.
kill -TERM "$(child)"
guard_gone() { ! kill -0 "$guard_pid" 2>/dev/null; }
wait_for 20 guard_gone || fail "the guard outlived a normal end of the clock"
wait "$guard_pid" || fail "the guard ended with status $?"

# The guard asked to stop ends its clock.
"$prog/tavrola" --guard >>"$work/guard.out" 2>&1 &
guard_pid=$!
e2e_pids+=("$guard_pid")
wait_for 60 clock_from_new_child || fail "no clock window under the second guard"
last="$(child)"
kill -TERM "$guard_pid"
last_gone() { ! kill -0 "$last" 2>/dev/null; }
wait_for 20 last_gone || fail "the clock outlived its guard"
echo "PASS: SIGSEGV: new process in ${restart_ms} ms, clock shown in ${segv_ms} ms; SIGSTOP replaced in" \
    "${stop_ms} ms; ten kills: longest without a clock ${max_gap} ms; $restarts restarts logged"
