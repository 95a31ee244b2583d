#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the real clock from a prepared program folder under Xvfb at a fixed time, checks the files
# it leaves behind, checks that a second start ends at once while the first keeps running, and that
# the clock ends on SIGTERM (log-out, power-off) without leaving its lock.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
need xdotool md5sum
prepare_program
unset XDG_RUNTIME_DIR # the lock then lives in the program folder
# setting.ini without the clock mode, CR LF lines as the program writes them, and a database the
# updater replaces at start-up (no data server is set: it computes the month).
printf '%s\r\n' '[TAJUK-01]' 'TITLE01=Masjid Ujian' 'TSIZE=50' '[TARIKH_HIJRAH]' 'MASA=1' >"$prog/setting.ini"
printf '%s\r\n' 'CACHE_MONTH=112026' '[01112026]' 'Zohor=13:05' >"$prog/dbase/dbsolat.dat"
db_before="$(md5sum <"$prog/dbase/dbsolat.dat")"
start_xvfb
faked_clock
"${faked[@]}" FAKETIME="@2026-12-05 13:10:00" "$prog/tavrola" >"$work/first.log" 2>&1 &
first_pid=$!
e2e_pids+=("$first_pid")
e2e_logs+=("$work/first.log")

setjam_written() {
    kill -0 "$first_pid" 2>/dev/null || fail "the clock ended on its own"
    grep -aq '^SETJAM=0' "$prog/setting.ini"
}
wait_for 30 setjam_written || fail "setting.ini did not gain SETJAM=0"
grep -aq '^\[12-24HRS\]' "$prog/setting.ini" || fail "SETJAM was written outside [12-24HRS]"
grep -aq '^TITLE01=Masjid Ujian' "$prog/setting.ini" && grep -aq '^MASA=1' "$prog/setting.ini" ||
    fail "setting.ini lost its titles or MASA"
clock_windows() { xdotool search --onlyvisible --name '^Tavrola$' 2>/dev/null | wc -l; }
one_clock() { test "$(clock_windows)" -eq 1; }
wait_for 30 one_clock || fail "no clock window on the screen"

start=$(date +%s%N)
second_rc=0
timeout 20 "${faked[@]}" FAKETIME="@2026-12-05 13:10:00" "$prog/tavrola" >"$work/second.log" 2>&1 || second_rc=$?
elapsed_ms=$((($(date +%s%N) - start) / 1000000))
[[ $second_rc -eq 0 ]] || fail "second start ended with $second_rc: $(cat "$work/second.log")"
((elapsed_ms < 5000)) || fail "second start took ${elapsed_ms} ms"
kill -0 "$first_pid" 2>/dev/null || fail "the first clock stopped"
one_clock || fail "more than one clock window"

# The computed month for the default place replaced the old one.
db_replaced() { test "$(md5sum <"$prog/dbase/dbsolat.dat")" != "$db_before"; }
wait_for 30 db_replaced || fail "the database was not replaced"
grep -aq $'^CACHE_MONTH=122026\r$' "$prog/dbase/dbsolat.dat" || fail "the database does not hold December 2026"
sed -n '/^\[05122026\]/,/^---/p' "$prog/dbase/dbsolat.dat" | grep -aqE $'^Zohor=1[23]:[0-5][0-9]\r$' ||
    fail "no computed Zohor time for 5 December"
grep -aq -- '--:--' "$prog/dbase/dbsolat.dat" && fail "a prayer time is missing near the equator"
[[ "$(grep -ac '^SETJAM=' "$prog/setting.ini")" -eq 1 ]] || fail "SETJAM written more than once"

# A caretaker picks another zone by hand while the clock runs: the month is built again at once.
suboh() { sed -n '/^\[05122026\]/,/^\[/s/^Suboh=\([0-9:]*\)\r$/\1/p' "$prog/dbase/dbsolat.dat"; }
kl_suboh="$(suboh)"
printf '%s\r\n' '[LOKASI]' 'ZON=SBH07' >>"$prog/setting.ini"
edited=$(date +%s%N)
rebuilt() { [[ -n "$(suboh)" && "$(suboh)" < "$kl_suboh" ]]; }
wait_for 30 rebuilt || fail "Suboh stayed $(suboh) after ZON=SBH07 was saved"
rebuilt_ms=$((($(date +%s%N) - edited) / 1000000))
ls "$prog"/tavrola-*.lock >/dev/null || fail "no lock in the program folder"
stop_pid "$first_pid"
ls "$prog"/tavrola-*.lock 2>/dev/null && fail "the lock outlived the clock"
echo "PASS: first start wrote SETJAM=0; second start ended in ${elapsed_ms} ms;" \
    "ZON=SBH07 moved Suboh from $kl_suboh to $(suboh) in ${rebuilt_ms} ms"
