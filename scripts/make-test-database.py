#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a month's dbase/dbsolat.dat in the program's layout, for measurements and screenshots.

usage: make-test-database.py PROGRAM_FOLDER [YYYY MM]   (default: this month)
Times are plausible Kuala Lumpur times; they drift a minute every few days like real ones.
"""
import calendar
import datetime
import os
import sys

MONTHS = ["Januari", "Februari", "Mac", "April", "Mei", "Jun", "Julai", "Ogos", "September",
          "Oktober", "November", "Disember"]
DAYS = ["Isnin", "Selasa", "Rabu", "Khamis", "Jumaat", "Sabtu", "Ahad"]


def hhmm(minutes):
    return "%02d:%02d" % divmod(minutes % 1440, 60)


def main():
    folder = sys.argv[1]
    today = datetime.datetime.now()
    year = int(sys.argv[2]) if len(sys.argv) > 2 else today.year
    month = int(sys.argv[3]) if len(sys.argv) > 3 else today.month
    rule = "=" * 42
    lines = [rule, "JADUAL WAKTU SOLAT BULANAN", "Bulan: %s %d" % (MONTHS[month - 1], year),
             "CACHE_MONTH=%02d%d" % (month, year),
             today.strftime("UPDATE_DATE=%d%m%Y %H:%M:%S"), today.strftime("LAST_UPDATE=%d/%m/%Y %H:%M:%S"),
             rule, ""]
    for day in range(1, calendar.monthrange(year, month)[1] + 1):
        d = datetime.date(year, month, day)
        drift = day // 4
        subuh = 5 * 60 + 51 + drift
        times = [subuh - 10, subuh, subuh + 72, subuh + 98, 13 * 60 + 8 + drift, 16 * 60 + 32 + drift,
                 19 * 60 + 10 + drift, 20 * 60 + 25 + drift]
        lines.append("[%02d%02d%d]" % (day, month, year))
        lines.append("Tarikh: %s, %02d %s %d" % (DAYS[d.weekday()], day, MONTHS[month - 1], year))
        for key, t in zip(["Imsak", "Suboh", "Syuruk", "Duha", "Zohor", "Asar", "Magrib", "Isyak"], times):
            lines.append("%s=%s" % (key, hhmm(t)))
        lines.append("-" * 42)
        lines.append("")
    os.makedirs(os.path.join(folder, "dbase"), exist_ok=True)
    with open(os.path.join(folder, "dbase", "dbsolat.dat"), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n\r\n").encode("latin-1"))


if __name__ == "__main__":
    main()
