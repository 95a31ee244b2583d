#!/usr/bin/env python3
"""Watches the month-end soak (soak_month.sh starts everything this talks to).

The clock writes its state (faked time, date lines, database month) on every tick. The driver
follows it to the end time and then checks each midnight's new date lines, that every month the
run touched was fetched and became the database's month, and that memory did not grow.
"""
import argparse
import datetime as dt
import re
import shutil
import subprocess
import sys
import time

MALAY_MONTHS = ["Januari", "Februari", "Mac", "April", "Mei", "Jun", "Julai", "Ogos", "September", "Oktober",
                "November", "Disember"]
STAMP = "%Y-%m-%d %H:%M:%S"


def read_state(path):
    try:
        with open(path, "r", encoding="utf-8") as f:
            state = dict(line.split("=", 1) for line in f.read().splitlines() if "=" in line)
    except OSError:
        return None
    return state if "NOW" in state else None


def rss_kib(pid):
    try:
        with open("/proc/%d/status" % pid, encoding="ascii") as f:
            return next((int(line.split()[1]) for line in f if line.startswith("VmRSS:")), None)
    except OSError:
        return None


def live_heap(pid):
    """Bytes allocated and not freed, asked of the sanitizer runtime through gdb; the least of a few
    readings, since repaints hold whole-window pictures for moments. None without gdb."""
    readings = []
    for _ in range(5):
        try:
            r = subprocess.run(["gdb", "-p", str(pid), "-batch", "-nx", "-ex",
                                "print (unsigned long)__sanitizer_get_current_allocated_bytes()"],
                               capture_output=True, text=True, timeout=60)
        except (OSError, subprocess.TimeoutExpired):
            return None
        m = re.search(r"^\$1 = (\d+)", r.stdout, re.M)
        if m:
            readings.append(int(m.group(1)))
        time.sleep(0.5)
    return min(readings) if readings else None


def alive(pid):
    try:
        with open("/proc/%d/stat" % pid, encoding="ascii") as f:
            return f.read().split(") ", 1)[1][0] != "Z"  # a zombie has ended
    except (OSError, IndexError):
        return False


def main():
    p = argparse.ArgumentParser()
    for name in ("state", "server-log", "start", "end"):
        p.add_argument("--" + name, required=True)
    p.add_argument("--pid", type=int, required=True)
    p.add_argument("--budget", type=float, default=480.0)
    a = p.parse_args()
    end = dt.datetime.strptime(a.end, STAMP)
    failures = []

    def fail(text):
        failures.append(text)
        print("FAIL: " + text, file=sys.stderr, flush=True)

    began = time.monotonic()
    first_of_day, last_of_day = {}, {}
    months = []  # CACHE_MONTH values in the order they appeared
    rss = []  # (real seconds, KiB)
    heap_start = heap_start_at = last_now = None
    last_progress = began
    while True:
        real = time.monotonic() - began
        if not alive(a.pid):
            fail("the clock ended on its own after %.0f real seconds" % real)
            break
        if real > a.budget:
            fail("the faked clock did not reach %s within %.0f real seconds (it showed %s)" % (a.end, a.budget, last_now))
            break
        if not rss or real - rss[-1][0] >= 5:
            rss.append((real, rss_kib(a.pid) or 0))
        state = read_state(a.state)
        if state:
            now = dt.datetime.strptime(state["NOW"], STAMP)
            if now != last_now:
                last_now, last_progress = now, time.monotonic()
                first_of_day.setdefault(now.date(), state)
                last_of_day[now.date()] = state
                if not months or months[-1] != state.get("CACHE_MONTH", ""):
                    months.append(state.get("CACHE_MONTH", ""))
            if now >= end:
                break
        if time.monotonic() - last_progress > 15:
            fail("the clock stopped ticking at %s" % last_now)
            break
        # The first live-heap figure once start-up and the new month's download are behind.
        if heap_start is None and len({m for m in months if m}) >= 2:
            heap_start, heap_start_at = live_heap(a.pid) or 0, last_now
            print("live heap %d bytes at %s" % (heap_start, last_now), flush=True)
        time.sleep(0.2)
    heap_end = live_heap(a.pid) if alive(a.pid) else None

    # Midnights: the Malay and Hijri lines of each new day differ from the day before's.
    dates = sorted(first_of_day)
    for before, after in zip(dates, dates[1:]):
        old, new = last_of_day[before], first_of_day[after]
        wanted = "%02d %s %04d" % (after.day, MALAY_MONTHS[after.month - 1], after.year)
        if wanted not in new.get("DATE", ""):
            fail("after midnight the date line reads \"%s\", not %s" % (new.get("DATE"), wanted))
        if not new.get("HIJRI") or new.get("HIJRI") == old.get("HIJRI"):
            fail("the Hijri line did not advance on %s (\"%s\")" % (after, new.get("HIJRI")))
    if len(dates) < 2:
        fail("the clock never passed midnight")

    # Months: each month the run touched was asked for and became the database's month.
    try:
        with open(a.server_log, encoding="utf-8") as f:
            fetched = {r[1] for r in (line.split() for line in f) if len(r) >= 3 and r[2] == "200"}
    except OSError:
        fetched = set()
    for year, month in sorted({(d.year, d.month) for d in dates}):
        if "/data/%04d-%02d.json" % (year, month) not in fetched:
            fail("the data server was never asked for %04d-%02d" % (year, month))
        if "%02d%04d" % (month, year) not in months:
            fail("dbsolat.dat never held CACHE_MONTH=%02d%04d" % (month, year))

    # Memory: the live heap decides; the resident size only guards against runaway growth, since
    # the sanitizer's own caches move it by tens of MiB.
    settled = [kib for t, kib in rss if t >= 30 and kib] or [kib for _, kib in rss if kib] or [0]
    rss_start, rss_end = settled[0], settled[-1]
    if not rss_start or rss_end - rss_start > max(256 * 1024, 2 * rss_start):
        fail("the resident size grew from %d KiB to %d KiB" % (rss_start, rss_end))
    if heap_start and heap_end and heap_end - heap_start > max(1024 * 1024, heap_start // 8):
        fail("the live heap grew from %d to %d bytes" % (heap_start, heap_end))

    print("---- soak summary ----")
    print("faked time   %s -> %s (%d days seen), %.0f real seconds" % (a.start, last_now, len(dates), real))
    print("months       %s fetched; database months %s" % (", ".join(sorted(fetched)) or "none", " -> ".join(months)))
    print("RSS          %d KiB at 30 s, %d KiB at the end" % (rss_start, rss_end))
    if heap_start and heap_end:
        print("live heap    %d bytes at %s, %d at the end" % (heap_start, heap_start_at, heap_end))
    else:
        print("live heap    not measured (%s)" % ("no gdb" if not shutil.which("gdb") else "no month change"))
    print("result       %s" % ("PASS" if not failures else "FAIL (%d checks)" % len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
