#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Follows the month-end soak that soak_month.sh starts: the clock's state file (faked time, date
lines, database month) to the end time; then each midnight's date lines, each month the run
touched in the database, and the live heap not growing."""
import argparse
import datetime as dt
import re
import subprocess
import sys
import time

MALAY_MONTHS = ["Januari", "Februari", "Mac", "April", "Mei", "Jun", "Julai", "Ogos", "September", "Oktober",
                "November", "Disember"]
STAMP = "%Y-%m-%d %H:%M:%S"


def read(path, parse, default=None):
    try:
        with open(path, encoding="utf-8") as f:
            return parse(f.read())
    except (OSError, IndexError, TypeError, ValueError):
        return default


def live_heap(pid):
    """Bytes allocated and not freed, asked of the sanitizer runtime through gdb; the least of a few
    readings (repaints hold whole-window pictures for moments). None without gdb."""
    readings = []
    for _ in range(5):
        try:
            out = subprocess.run(["gdb", "-p", str(pid), "-batch", "-nx", "-ex",
                                  "print (unsigned long)__sanitizer_get_current_allocated_bytes()"],
                                 capture_output=True, text=True, timeout=60).stdout
        except (OSError, subprocess.TimeoutExpired):
            return None
        readings += [int(m) for m in re.findall(r"^\$1 = (\d+)", out, re.M)]
        time.sleep(0.5)
    return min(readings) if readings else None


def main():
    p = argparse.ArgumentParser()
    for name in ("state", "start", "end"):
        p.add_argument("--" + name, required=True)
    p.add_argument("--pid", type=int, required=True)
    p.add_argument("--budget", type=float, default=480.0)
    a = p.parse_args()
    end = dt.datetime.strptime(a.end, STAMP)
    alive = lambda: read("/proc/%d/stat" % a.pid, lambda t: t.split(") ", 1)[1][0] != "Z", False)  # noqa: E731
    failures = []
    fail = lambda text: failures.append(text) or print("FAIL: " + text, file=sys.stderr, flush=True)  # noqa

    began = last_progress = time.monotonic()
    first_of_day, last_of_day, months = {}, {}, []  # months: CACHE_MONTH values in order
    heap_start = last_now = None
    while True:
        real = time.monotonic() - began
        if not alive():
            fail("the clock ended on its own after %.0f real seconds" % real)
            break
        if real > a.budget or time.monotonic() - last_progress > 15:
            fail("the faked clock stopped at %s, short of %s" % (last_now, a.end))
            break
        state = read(a.state, lambda t: dict(line.split("=", 1) for line in t.splitlines() if "=" in line), {})
        if "NOW" in state:
            now = dt.datetime.strptime(state["NOW"], STAMP)
            if now != last_now:
                last_now, last_progress = now, time.monotonic()
                first_of_day.setdefault(now.date(), state)
                last_of_day[now.date()] = state
                if not months or months[-1] != state.get("CACHE_MONTH", ""):
                    months.append(state.get("CACHE_MONTH", ""))
            if now >= end:
                break
        # The first live-heap figure once start-up and the new month's download are behind.
        if heap_start is None and len({m for m in months if m}) >= 2:
            heap_start = live_heap(a.pid) or 0
            print("live heap %d bytes at %s" % (heap_start, last_now), flush=True)
        time.sleep(0.2)
    heap_end = live_heap(a.pid) if alive() else None

    # Midnights: the Malay and Hijri lines of each new day differ from the day before's.
    dates = sorted(first_of_day)
    if len(dates) < 2:
        fail("the clock never passed midnight")
    for before, after in zip(dates, dates[1:]):
        old, new = last_of_day[before], first_of_day[after]
        wanted = "%02d %s %04d" % (after.day, MALAY_MONTHS[after.month - 1], after.year)
        if wanted not in new.get("DATE", ""):
            fail("after midnight the date line reads \"%s\", not %s" % (new.get("DATE"), wanted))
        if not new.get("HIJRI") or new.get("HIJRI") == old.get("HIJRI"):
            fail("the Hijri line did not advance on %s (\"%s\")" % (after, new.get("HIJRI")))

    # Months: each month the run touched was downloaded and became the database's month.
    for year, month in sorted({(d.year, d.month) for d in dates}):
        if "%02d%04d" % (month, year) not in months:
            fail("dbsolat.dat never held CACHE_MONTH=%02d%04d" % (month, year))

    # Memory: the live heap, not the resident size, which the sanitizer's own caches move by tens of MiB.
    if heap_start and heap_end and heap_end - heap_start > max(1024 * 1024, heap_start // 8):
        fail("the live heap grew from %d to %d bytes" % (heap_start, heap_end))
    print("soak: %s -> %s, %d days, %.0f real s; months %s; live heap %s -> %s; %s" % (
        a.start, last_now, len(dates), real, " -> ".join(months), heap_start, heap_end,
        "FAIL (%d)" % len(failures) if failures else "PASS"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
