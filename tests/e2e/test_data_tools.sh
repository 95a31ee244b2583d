#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The month-data tool writes one document per month, across a year's end, for the place it is given,
# and refuses bad arguments without writing anything; the zone fitter reads 12-hour times, and a fit
# of one zone into the shipped table changes only that zone's entry; a file per zone is named by its code.
# shellcheck source=xvfb.sh
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
tool="${TAVROLA_BINARY_DIR:?the build folder}/tools/make_month_data"
"$tool" "$work/site" 2026-11 2027-02 --lat 1.4927 --lon 103.7414 --tz +8 >/dev/null
[[ "$(ls "$work/site/data")" == $'2026-11.json\n2026-12.json\n2027-01.json\n2027-02.json' ]] ||
    fail "not one document per month: $(ls "$work/site/data")"
[[ "$(grep -c '"Isyak": "' "$work/site/data/2027-02.json")" -eq 28 ]] || fail "February 2027 lacks days"
grep -q '"2026-12-31": {"Imsak": "' "$work/site/data/2026-12.json" || fail "no 31 December"

# The place from a setting.ini: Labuan lies 11.5 degrees east of Johor Bahru, so its Zohor comes
# about 46 minutes earlier.
printf '[LOKASI]\r\nLATITUD=5.2831\r\nLONGITUD=115.2308\r\nZON_WAKTU=8\r\n' >"$work/setting.ini"
"$tool" "$work/ini" 2026-12 --ini "$work/setting.ini" >/dev/null
zohor() { sed -n 's/.*"2026-12-01": {.*"Zohor": "\([0-9][0-9]\):\([0-9][0-9]\)".*/(10#\1 * 60 + 10#\2)/p' "$1"; }
gap=$(($(zohor "$work/site/data/2026-12.json") - $(zohor "$work/ini/data/2026-12.json")))
((gap >= 44 && gap <= 48)) || fail "Zohor gap $gap"

for bad in "2026-13" "2026-1" "x" "2027-01 2026-12" "2026-12 --lat 95"; do
    # shellcheck disable=SC2086 # the arguments split on purpose
    ! "$tool" "$work/bad" $bad 2>/dev/null || fail "accepted $bad"
done
[[ ! -e "$work/bad" ]] || fail "a refused run wrote $work/bad"

fit="$TAVROLA_BINARY_DIR/tools/fit_zones" table="$e2e_dir/../../src/core/prayerdata/ZoneTable.cpp"
# Two zones' days as "h:mm AM" and "h:mm:ss PM", noon hours (Sarawak's Zohor) included.
grep -E '^(zone|WLY01|SWK08),' "$e2e_dir/../data/prayer_times/zones_2025.csv" | awk -F, -v OFS=, 'NR > 1 {
    for (i = 3; i <= NF; i++) { split($i, t, ":"); h = (t[1] + 11) % 12 + 1
        $i = sprintf("%d:%s%s %s", h, t[2], NR % 2 ? ":59" : "", t[1] < 12 ? "AM" : "PM") } } 1' >"$work/t.csv"
"$fit" check "$work/t.csv" >/dev/null || fail "12-hour times misread"
# A file per zone without a zone column, named as the compilations name it: Negeri Sembilan's
# four-letter spelling ("NGSN03") is e-Solat's NGS03.
ngs="$work/NGSN03 - Port Dickson, Seremban.csv"
{
    echo "date,imsak,subuh,syuruk,zohor,asar,maghrib,isyak"
    grep '^NGS03,' "$e2e_dir/../data/prayer_times/zones_2025.csv" | cut -d, -f2-
} >"$ngs"
[[ "$("$fit" check "$ngs" | head -1)" == "NGS03 "* ]] || fail "NGSN03's file not read as NGS03"
cp "$table" "$work/table.cpp"
"$fit" fit --only WLY01 --zones /dev/null --out "$work/table.cpp" "$work/t.csv" >/dev/null
entry() { sed '/{"WLY01",/,/)},$/c WLY01' "$1"; }
[[ "$(entry "$table")" == "$(entry "$work/table.cpp")" && "$(cat "$table")" != "$(cat "$work/table.cpp")" ]] ||
    fail "--only changed more than WLY01, or not WLY01"
echo ok
