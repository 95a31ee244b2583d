#!/usr/bin/env bash
# The month-data tool writes one document per month, across a year's end, for the place it is given,
# and refuses bad arguments without writing anything.
set -euo pipefail
tool="$TAVROLA_BINARY_DIR/tools/make_month_data"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

"$tool" "$out/site" 2026-11 2027-02 --lat 1.4927 --lon 103.7414 --tz +8 >/dev/null
for m in 2026-11 2026-12 2027-01 2027-02; do
    test -s "$out/site/data/$m.json" || { echo "missing $m"; exit 1; }
done
test "$(ls "$out/site/data" | wc -l)" -eq 4
test "$(grep -c '"Isyak": "' "$out/site/data/2027-02.json")" -eq 28
grep -q '"2026-12-31": {"Imsak": "' "$out/site/data/2026-12.json"

# The place from a setting.ini: Labuan lies 11.5 degrees east of Johor Bahru, so its Zohor comes
# about 46 minutes earlier.
printf '[LOKASI]\r\nLATITUD=5.2831\r\nLONGITUD=115.2308\r\nZON_WAKTU=8\r\n' >"$out/setting.ini"
"$tool" "$out/ini" 2026-12 --ini "$out/setting.ini" >/dev/null
zohor() { sed -n 's/.*"2026-12-01": {.*"Zohor": "\([0-9][0-9]\):\([0-9][0-9]\)".*/\1 \2/p' "$1" | {
    read -r h m
    echo $((10#$h * 60 + 10#$m))
}; }
gap=$(($(zohor "$out/site/data/2026-12.json") - $(zohor "$out/ini/data/2026-12.json")))
test "$gap" -ge 44 && test "$gap" -le 48 || { echo "Zohor gap $gap"; exit 1; }

for bad in "2026-13" "2026-1" "x"; do
    if "$tool" "$out/bad" "$bad" 2>/dev/null; then echo "accepted $bad"; exit 1; fi
done
if "$tool" "$out/bad" 2027-01 2026-12 2>/dev/null; then echo "accepted a backwards range"; exit 1; fi
if "$tool" "$out/bad" 2026-12 --lat 95 2>/dev/null; then echo "accepted latitude 95"; exit 1; fi
test ! -e "$out/bad"
echo ok
