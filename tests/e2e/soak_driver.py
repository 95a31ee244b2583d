#!/usr/bin/env python3
"""Watches the month-end soak (soak_month.sh starts everything this talks to).

The clock writes its state (faked time, date lines, database month) on every tick. The driver
follows it to the end time and then checks each midnight's new date lines, that every month the
run touched was fetched and became the database's month, and that memory did not grow.
"""
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
    readings, since repaints hold whole-window pictures for moments. None without gdb."""
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
    for name in ("state", "server-log", "start", "end"):
        p.add_argument("--" + name, required=True)
    p.add_argument("--pid", type=int, required=True)
    p.add_argument("--budget", type=float, default=480.0)
    a = p.parse_args()
    end = dt.datetime.strptime(a.end, STAMP)
    alive = lambda: read("/proc/%d/stat" % a.pid, lambda t: t.split(") ", 1)[1][0] != "Z", False)  # noqa: E731
    rss_kib = lambda: read("/proc/%d/status" % a.pid, lambda t: int(re.search(r"VmRSS:\s+(\d+)", t)[1]), 0)  # noqa
    failures = []

    def fail(text):
        failures.append(text)
        print("FAIL: " + text, file=sys.stderr, flush=True)

    began = last_progress = time.monotonic()
    first_of_day, last_of_day, months, rss = {}, {}, [], []  # months: CACHE_MONTH values in order
    heap_start = last_now = None
    while True:
        real = time.monotonic() - began
        if not alive():
            fail("the clock ended on its own after %.0f real seconds" % real)
            break
        if real > a.budget or time.monotonic() - last_progress > 15:
            fail("the faked clock stopped at %s, short of %s" % (last_now, a.end))
            break
        if not rss or real - rss[-1][0] >= 5:
            rss.append((real, rss_kib()))
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

    # Months: each month the run touched was asked for and became the database's month.
    fetched = read(a.server_log, lambda t: {r[1] for r in map(str.split, t.splitlines()) if r[2:3] == ["200"]}, set())
    for year, month in sorted({(d.year, d.month) for d in dates}):
        if "/data/%04d-%02d.json" % (year, month) not in fetched:
            fail("the data server was never asked for %04d-%02d" % (year, month))
        if "%02d%04d" % (month, year) not in months:
            fail("dbsolat.dat never held CACHE_MONTH=%02d%04d" % (month, year))

    # Memory: the live heap decides; the resident size only guards against runaway growth, since
    # the sanitizer's own caches move it by tens of MiB.
    settled = [kib for t, kib in rss if t >= 30 and kib] or [kib for _, kib in rss if kib] or [0]
    if not settled[0] or settled[-1] - settled[0] > max(256 * 1024, 2 * settled[0]):
        fail("the resident size grew from %d KiB to %d KiB" % (settled[0], settled[-1]))
    if heap_start and heap_end and heap_end - heap_start > max(1024 * 1024, heap_start // 8):
        fail("the live heap grew from %d to %d bytes" % (heap_start, heap_end))
    print("soak: %s -> %s, %d days, %.0f real s; months %s; RSS %d -> %d KiB; live heap %s -> %s; %s" % (
        a.start, last_now, len(dates), real, " -> ".join(months), settled[0], settled[-1], heap_start, heap_end,
        "FAIL (%d)" % len(failures) if failures else "PASS"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
