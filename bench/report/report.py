#!/usr/bin/env python3
"""Runs every benchmark of the project from one Release build and prints one table: each figure
beside its baseline, measured in the same run, and their ratio (ours / baseline; below 1 means
less time or memory than the baseline).

Usage: report.py <build folder of bench/report> [--quick]

Runs, in turn: extraction against Python's re (bench/extract/compare_with_python.py), per-call
web cost against bare libcurl (bench/web/web_call_overhead), time-out overshoot and cancellation
latency (bench/web/web_timeout_timing, floors from wait_floor), the event loop's gaps during a
slow request (event_loop_stall) and cold start with resident memory (cold_start). Every server is
on 127.0.0.1; every program runs under a time limit. Each program's own output goes to stderr.
"""
import argparse
import datetime
import json
import os
import platform
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))


def run(command, limit=600):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    env.setdefault("XDG_RUNTIME_DIR", "/tmp")
    result = subprocess.run(command, capture_output=True, text=True, timeout=limit, env=env)
    sys.stderr.write(f"$ {' '.join(command)}\n{result.stdout}")
    if result.returncode != 0:
        sys.stderr.write(result.stderr)
        raise SystemExit(f"failed: {' '.join(command)}")
    return result.stdout


def last_json(output):
    return json.loads([line for line in output.splitlines() if line.startswith("{")][-1])


def median_of(output, label, after=None):
    """The median on the line that begins with `label` (after the line holding `after`)."""
    lines = output.splitlines()
    if after is not None:
        lines = lines[next(i for i, line in enumerate(lines) if after in line):]
    for line in lines:
        if line.strip().startswith(label):
            return float(re.search(r"median\s+([\d.]+)", line).group(1))
    raise SystemExit(f"no '{label}' in the output")


def machine():
    model = "unknown CPU"
    with open("/proc/cpuinfo") as info:
        for line in info:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as info:
        memory = int(info.readline().split()[1]) / 1048576
    distro = "Linux"
    if os.path.exists("/etc/os-release"):
        with open("/etc/os-release") as release:
            fields = dict(line.rstrip("\n").split("=", 1) for line in release if "=" in line)
            distro = fields.get("PRETTY_NAME", distro).strip('"')
    return f"{model}, {os.cpu_count()} cores, {memory:.1f} GiB, {distro}, kernel {platform.release()}"


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("build")
    parser.add_argument("--quick", action="store_true", help="fewer repetitions, for a smoke run")
    args = parser.parse_args()
    b = os.path.abspath(args.build)
    n = (lambda full, quick: str(quick if args.quick else full))

    rows = []  # (figure, ours, baseline name, baseline, unit)

    out = run([sys.executable, os.path.join(ROOT, "bench", "extract", "compare_with_python.py"),
               os.path.join(b, "tieba", "bench", "extract", "extract_bench"), "--repetitions", n(15, 3)])
    for cut in ("postAddress", "postTitle"):
        fields = next(line.split() for line in out.splitlines() if line.startswith(cut))
        rows.append((f"extraction, {cut} cut of a 2,000-post page ({fields[1]} hits), CPU",
                     float(fields[2]), "Python re.findall, same page", float(fields[3]), "ms"))

    out = run([os.path.join(b, "tieba", "bench", "web", "web_call_overhead"), n(500, 50)])
    rows.append(("web call, 100 KB page from 127.0.0.1, per call", median_of(out, "accessWebPage"),
                 "bare libcurl easy handle", median_of(out, "bare libcurl"), "us"))

    floors = last_json(run([os.path.join(b, "wait_floor"), n(20, 5)]))
    out = run([os.path.join(b, "tieba", "bench", "web", "web_timeout_timing"), n(20, 5)])
    for window, label in (("quiet window", "quiet window"), ("window event every 15 ms", "event every 15 ms")):
        rows.append((f"time-out overshoot, 200 ms deadline, {label}",
                     median_of(out, "return after deadline", after=window),
                     "bare condition-variable wait", floors["wait_late_median_ms"], "ms"))
    rows.append(("time-out: server sees the transfer closed after the deadline",
                 median_of(out, "server sees close after deadline", after="quiet window"),
                 "plain socket close seen by the server", floors["close_seen_median_ms"], "ms"))
    rows.append(("cancellation latency: cancel() to server sees close",
                 median_of(out, "server sees close after cancel"),
                 "plain socket close seen by the server", floors["close_seen_median_ms"], "ms"))

    stall = last_json(run([os.path.join(b, "event_loop_stall"), n(10, 3)]))
    if stall["wrong"]:
        raise SystemExit("event_loop_stall fetched wrong pages")
    rows.append(("event loop during a slow request: 5 ms timer's median gap", stall["busy_median_ms"],
                 "same timer, loop idle", stall["idle_median_ms"], "ms"))
    rows.append(("event loop during a slow request: 90th percentile gap", stall["busy_p90_ms"],
                 "same timer, loop idle", stall["idle_p90_ms"], "ms"))
    rows.append(("event loop during a slow request: longest gap", stall["busy_worst_ms"],
                 "same timer, loop idle", stall["idle_worst_ms"], "ms"))

    start = last_json(run([os.path.join(b, "cold_start"), n(15, 3)]))
    if start["failures"]:
        raise SystemExit("cold_start had failed runs")
    rows.append(("cold start to main window painted", start["window_ms"],
                 "bare QApplication + empty QWidget", start["bare_ms"], "ms"))
    rows.append(("resident memory at first paint (VmRSS)", start["window_rss_kb"] / 1024,
                 "bare QApplication + empty QWidget", start["bare_rss_kb"] / 1024, "MiB"))
    rows.append(("peak resident memory to first paint (VmHWM)", start["window_hwm_kb"] / 1024,
                 "bare QApplication + empty QWidget", start["bare_hwm_kb"] / 1024, "MiB"))

    now = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M UTC")
    print(f"Benchmark report, {now}{' (quick run)' if args.quick else ''}")
    print(f"Machine: {machine()}")
    print("Medians; ratio = ours / baseline (below 1: less than the baseline). Release build (-O2).")
    print()
    print("| Figure | Ours | Baseline | Baseline figure | Ratio |")
    print("|---|---:|---|---:|---:|")
    for figure, ours, name, base, unit in rows:
        digits = 1 if max(ours, base) >= 10 else 2 if max(ours, base) >= 1 else 3
        ratio = f"{ours / base:.2f}" if base > 0 else "-"
        print(f"| {figure} | {ours:.{digits}f} {unit} | {name} | {base:.{digits}f} {unit} | {ratio} |")
    return 0


if __name__ == "__main__":
    sys.exit(main())
