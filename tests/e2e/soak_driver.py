#!/usr/bin/env python3
"""Steers and watches the month-end soak (soak_month.sh starts everything this talks to).

The clock runs under libfaketime with FAKETIME_TIMESTAMP_FILE and FAKETIME_XRESET, so rewriting the
"x" speed in that file changes how fast its wall clock runs without a jump. The clock re-arms its
tick on the faked wall second but waits in real time, so at speed S it ticks about every S faked
seconds: a prayer minute is only caught below about x55, and the shutdown check (every 30 real
seconds, inside the minute only) only below x2. Quiet hours run fast; the driver slows down before
each event it expects and checks what the clock did there.
"""
import argparse
import datetime as dt
import glob
import json
import os
import re
import shutil
import subprocess
import sys
import time

SENTENCES = {
    "Subuh": "It is now, time for subuh prayer.",
    "Zohor": "It is now, time for Zuhr prayer.",
    "Asar": "It is now, time for Asr prayer.",
    "Maghrib": "It is now, time for Maghrib Prayer.",
    "Isyak": "It is now, time for Isha Prayer.",
}
MALAY_MONTHS = ["Januari", "Februari", "Mac", "April", "Mei", "Jun", "Julai", "Ogos", "September", "Oktober",
                "November", "Disember"]
STAMP = "%Y-%m-%d %H:%M:%S"

# Speeds by distance (faked seconds) to the next event. Each zone is wider than the distance the
# faked clock covers, at the speed before it, while a new speed takes effect (about 2 real seconds).
PRAYER_ZONES = [(480, 40), (1500, 200), (None, 500)]
SHUTDOWN_ZONES = [(30, 1.5), (150, 10), (480, 40), (1500, 200), (None, 500)]


def parse_args():
    p = argparse.ArgumentParser()
    for name in ("state", "speech", "server-log", "spec", "docs", "start", "end", "shutdown", "wm-delete"):
        p.add_argument("--" + name, required=True)
    p.add_argument("--pid", type=int, required=True)
    p.add_argument("--budget", type=float, default=480.0)
    return p.parse_args()


def read_state(path):
    try:
        with open(path, "r", encoding="utf-8") as f:
            text = f.read()
        mtime = os.stat(path).st_mtime
    except OSError:
        return None, 0.0
    state = dict(line.split("=", 1) for line in text.splitlines() if "=" in line)
    return (state if "NOW" in state else None), mtime


def rss_kib(pid):
    try:
        with open("/proc/%d/status" % pid, encoding="ascii") as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def live_heap(pid):
    """Bytes the program has allocated and not freed, asked of the sanitizer runtime through gdb.

    The resident size of a sanitized program also holds shadow memory, the quarantine and the
    allocator's cached chunks, which grow and shrink on their own; the live heap is what a leak
    raises. Repaints hold whole-window pictures (8 MiB each at 1920 x 1080) for moments, so the
    least of a few readings counts. The program stands still for about a second each time. None
    without gdb."""
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
        os.kill(pid, 0)
    except OSError:
        return False
    # A zombie is an ended program that its parent has not collected yet.
    try:
        with open("/proc/%d/stat" % pid, encoding="ascii") as f:
            return f.read().split(") ", 1)[1][0] != "Z"
    except (OSError, IndexError):
        return False


def expected_events(docs, start, end, shutdown):
    """Announcements and shutdown minutes between start and end, from the documents served."""
    events = []
    for path in sorted(glob.glob(os.path.join(docs, "data", "*.json"))):
        with open(path, encoding="utf-8") as f:
            document = json.load(f)
        # Days at the top level, or under "days" as some servers send them.
        days = document.get("days", document)
        for day, times in days.items():
            if not re.fullmatch(r"\d{4}-\d{2}-\d{2}", day) or not isinstance(times, dict):
                continue
            for prayer, sentence in SENTENCES.items():
                h, m = (int(x) for x in times[prayer].split(":"))
                at = dt.datetime.fromisoformat(day).replace(hour=h, minute=m)
                events.append((at, "prayer", sentence))
    day = start.date()
    while day <= end.date():
        at = dt.datetime.combine(day, dt.time(int(shutdown[:2]), int(shutdown[2:])))
        events.append((at, "shutdown", "KOMPUTER_TUTUP " + shutdown))
        day += dt.timedelta(days=1)
    # Leave the clock some faked minutes to start and fetch its month, and the last minute room to end.
    return sorted(e for e in events if start + dt.timedelta(minutes=20) <= e[0] <= end - dt.timedelta(minutes=2))


def speed_for(now, events, done):
    for at, kind, _ in events:
        if (at, kind) in done or now >= at + dt.timedelta(seconds=60):
            continue
        gap = (at - now).total_seconds()
        for limit, speed in SHUTDOWN_ZONES if kind == "shutdown" else PRAYER_ZONES:
            if limit is None or gap <= limit:
                return speed
    return PRAYER_ZONES[-1][1]


def find_dialog():
    r = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Pengesahan Shutdown$"],
                       capture_output=True, text=True)
    ids = r.stdout.split()
    return ids[0] if ids else None


def main():
    a = parse_args()
    start = dt.datetime.strptime(a.start, STAMP)
    end = dt.datetime.strptime(a.end, STAMP)
    events = expected_events(a.docs, start, end, a.shutdown)
    failures = []
    done = set()
    spec_date = start.strftime(STAMP)
    speed = None
    began = time.monotonic()
    rss = []  # (real seconds, KiB)
    last_rss_at = -100.0
    days = {}  # date -> first state seen on it (after its first tick)
    last_of_day = {}  # date -> last state seen on it
    cache_months = []  # (faked time, CACHE_MONTH) when it changed
    dialogs = []  # (faked time when seen, outcome)
    last_now = None
    heap_start, heap_start_at = None, None
    last_ticks, last_speed, settled_speed = -1, None, False
    speed_set_at = time.monotonic()
    widest_gap = {}  # speed -> widest faked seconds between successive ticks
    last_progress = time.monotonic()

    def set_speed(new):
        nonlocal speed, speed_set_at
        if new != speed:
            speed_set_at = time.monotonic()
            with open(a.spec + ".new", "w", encoding="ascii") as f:
                f.write("@%s x%s\n" % (spec_date, new))
            os.replace(a.spec + ".new", a.spec)
            speed = new

    def fail(text):
        failures.append(text)
        print("FAIL: " + text, file=sys.stderr, flush=True)

    while True:
        real = time.monotonic() - began
        if not alive(a.pid):
            fail("the clock ended on its own after %.0f real seconds" % real)
            break
        if real > a.budget:
            fail("the faked clock did not reach %s within %.0f real seconds (it showed %s)" %
                 (a.end, a.budget, last_now))
            break
        if real - last_rss_at >= 5:
            value = rss_kib(a.pid)
            if value:
                rss.append((real, value))
                if len(rss) % 12 == 1:
                    print("%4.0f s  faked %s  x%s  RSS %d KiB" % (real, last_now, speed, value), flush=True)
            last_rss_at = real

        state, mtime = read_state(a.state)
        if state:
            now = dt.datetime.strptime(state["NOW"], STAMP)
            if now != last_now:
                ticks = int(state.get("TICKS", "0"))
                # Faked time between two successive ticks seen at one speed: the widest shows
                # whether that speed could skip a minute.
                if last_now and ticks == last_ticks + 1 and speed == last_speed and settled_speed:
                    gap = (now - last_now).total_seconds()
                    widest_gap[speed] = max(widest_gap.get(speed, 0), gap)
                last_ticks, last_speed = ticks, speed
                # A new speed reaches the clock only when libfaketime next reads its file.
                settled_speed = time.monotonic() - speed_set_at > 2.5
                last_progress = time.monotonic()
                last_now = now
                days.setdefault(now.date(), state)
                last_of_day[now.date()] = state
                month = state.get("CACHE_MONTH", "")
                if not cache_months or cache_months[-1][1] != month:
                    cache_months.append((now, month))
            if now >= end:
                break
            # The state is as old as the last tick; the faked clock has gone on since.
            estimate = now + dt.timedelta(seconds=min(2.0, max(0.0, time.time() - mtime)) * (speed or 1))
            set_speed(speed_for(estimate, events, done))
        elif real > 60:
            fail("no clock state after 60 real seconds")
            break
        if time.monotonic() - last_progress > 15:
            fail("the clock stopped ticking at %s" % last_now)
            break

        # The first live-heap figure in the quiet hours after the first midnight, once start-up, the
        # first evening and the new month's download are behind: slowed first, so the pause cannot
        # carry the clock past an event.
        month_changed = len({m for _, m in cache_months if m}) >= 2
        if heap_start is None and month_changed and speed == PRAYER_ZONES[-1][1]:
            set_speed(10)
            time.sleep(2.5)
            heap_start = live_heap(a.pid) or 0
            heap_start_at = last_now
            print("live heap %d bytes at %s" % (heap_start, last_now), flush=True)
            continue

        dialog = find_dialog()
        if dialog:
            seen = last_now
            minute = seen.strftime("%H%M") if seen else "?"
            time.sleep(1.0)
            subprocess.run([a.wm_delete, dialog], check=False)
            gone = False
            for _ in range(40):
                time.sleep(0.1)
                if not find_dialog():
                    gone = True
                    break
            outcome = "cancelled" if gone else "still open"
            dialogs.append((seen, outcome))
            print("shutdown dialog at %s: %s" % (seen, outcome), flush=True)
            if minute != a.shutdown:
                fail("the shutdown dialog opened at %s, not at %s" % (minute, a.shutdown))
            if not gone:
                fail("the shutdown dialog did not close when asked")
                break
            for at, kind, _ in events:
                if kind == "shutdown" and at.date() == seen.date():
                    done.add((at, kind))
        time.sleep(0.2)

    real = time.monotonic() - began
    set_speed(1)
    time.sleep(1.5)
    heap_end = None
    if alive(a.pid):
        value = rss_kib(a.pid)
        if value:
            rss.append((real, value))
        heap_end = live_heap(a.pid)

    # Announcements: each expected one in its own minute, and nothing else.
    spoken = []
    try:
        with open(a.speech, encoding="utf-8") as f:
            for line in f:
                stamp, _, sentence = line.rstrip("\n").partition("\t")
                spoken.append((dt.datetime.strptime(stamp, STAMP).replace(second=0), sentence))
    except OSError:
        pass
    expected = [(at, sentence) for at, kind, sentence in events if kind == "prayer"]
    for at, sentence in expected:
        if (at, sentence) not in spoken:
            fail("no announcement \"%s\" at %s" % (sentence, at.strftime("%Y-%m-%d %H:%M")))
    for at, sentence in spoken:
        if (at, sentence) not in expected and start + dt.timedelta(minutes=20) <= at:
            fail("unexpected announcement \"%s\" at %s" % (sentence, at.strftime("%Y-%m-%d %H:%M")))

    # The shutdown dialog: once on each day its minute was reached, cancelled every time.
    shutdown_days = [at.date() for at, kind, _ in events if kind == "shutdown"]
    dialog_days = [seen.date() for seen, _ in dialogs]
    for day in shutdown_days:
        if day not in dialog_days:
            fail("no shutdown dialog at %s on %s" % (a.shutdown, day))
    if len(dialog_days) != len(set(dialog_days)):
        fail("the shutdown dialog opened more than once a day")

    # Midnights: the Malay and Hijri lines of each new day differ from the day before's.
    dates = sorted(days)
    for before, after in zip(dates, dates[1:]):
        old, new = last_of_day[before], days[after]
        expected_line = "%02d %s %04d" % (after.day, MALAY_MONTHS[after.month - 1], after.year)
        if expected_line not in new.get("DATE", ""):
            fail("after midnight the date line reads \"%s\", not %s" % (new.get("DATE"), expected_line))
        if new.get("HIJRI") == old.get("HIJRI") or not new.get("HIJRI"):
            fail("the Hijri line did not advance on %s (\"%s\")" % (after, new.get("HIJRI")))
        print("midnight %s: \"%s\" -> \"%s\"; Hijri \"%s\" -> \"%s\"" %
              (after, old.get("DATE"), new.get("DATE"), old.get("HIJRI"), new.get("HIJRI")), flush=True)
    if len(dates) < 2:
        fail("the clock never passed midnight")

    # Months: each month the run touched was asked for and became the database's month.
    try:
        with open(a.server_log, encoding="utf-8") as f:
            requests = [line.split() for line in f if line.strip()]
    except OSError:
        requests = []
    fetched = sorted({r[1] for r in requests if len(r) >= 3 and r[2] == "200"})
    months = sorted({(d.year, d.month) for d in dates})
    for year, month in months:
        if "/data/%04d-%02d.json" % (year, month) not in fetched:
            fail("the data server was never asked for %04d-%02d" % (year, month))
        if not any(m == "%02d%04d" % (month, year) for _, m in cache_months):
            fail("dbsolat.dat never held CACHE_MONTH=%02d%04d" % (month, year))
    for (t0, m0), (t1, m1) in zip(cache_months, cache_months[1:]):
        print("CACHE_MONTH %s -> %s at %s" % (m0 or "(none)", m1, t1), flush=True)

    # Memory. The live heap decides: between the first quiet hours and the end, a leak per tick,
    # per announcement, per download or per day shows there. The resident size is reported and only
    # bounded against runaway growth, since the sanitizer's own caches move it by tens of MiB.
    settled = [kib for t, kib in rss if t >= 30] or [kib for _, kib in rss]
    rss_start = settled[0] if settled else 0
    rss_end = rss[-1][1] if rss else 0
    rss_peak = max((kib for _, kib in rss), default=0)
    growth = rss_end - rss_start
    if not rss_start or growth > max(256 * 1024, 2 * rss_start):
        fail("the resident size grew from %d KiB to %d KiB" % (rss_start, rss_end))
    heap_growth = None
    if heap_start and heap_end:
        heap_growth = heap_end - heap_start
        if heap_growth > max(1024 * 1024, heap_start // 8):
            fail("the live heap grew from %d to %d bytes" % (heap_start, heap_end))

    announced = sum(1 for at, s in spoken if (at, s) in expected)
    print("---- soak summary ----")
    print("faked time   %s -> %s (%d days seen), %.0f real seconds" % (a.start, last_now, len(dates), real))
    print("ticks        %s state reports" % (last_of_day[dates[-1]].get("TICKS") if dates else "?"))
    print("tick gaps    %s (widest faked seconds between ticks, by speed)" %
          ", ".join("x%s %.0f s" % (k, v) for k, v in sorted(widest_gap.items())))
    print("announced    %d of %d expected, %d spoken in all" % (announced, len(expected), len(spoken)))
    print("months       %s" % ", ".join(fetched) if fetched else "months       none fetched")
    print("requests     %d to the data server" % len(requests))
    print("shutdown     %s" % ("; ".join("%s %s" % (s, o) for s, o in dialogs) or "no dialog"))
    print("RSS          start %d KiB (after 30 s), end %d KiB, peak %d KiB, growth %+d KiB" %
          (rss_start, rss_end, rss_peak, growth))
    if heap_growth is not None:
        print("live heap    %d bytes at %s, %d bytes at the end, growth %+d bytes" %
              (heap_start, heap_start_at, heap_end, heap_growth))
    else:
        print("live heap    not measured (%s)" % ("no gdb" if not shutil.which("gdb") else "no quiet hour after a new month"))
    print("result       %s" % ("PASS" if not failures else "FAIL (%d checks)" % len(failures)))
    return 0 if not failures else 1


if __name__ == "__main__":
    sys.exit(main())
