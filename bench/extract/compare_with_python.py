#!/usr/bin/env python3
"""Runs extract_bench and times Python's re.findall on the same page in the same run.

Usage: compare_with_python.py <extract_bench executable> [--repetitions N] [--keep-page FILE]

Writes a result page of 2,000 posts (make_result_pages.py), runs every benchmark of extract_bench
with repetitions, and prints median CPU times. Python is timed the same way (median of the same
number of repetitions, CPU time) for each cut:
  findall      re.findall(escaped left + "(.*?)" + escaped right, text, re.IGNORECASE) over the
               text already decoded from GBK: Python's engine alone, the goal's baseline;
  end to end   decoding the page, findall, and encoding each hit back to GBK, which is what
               extractAllBetween does.
Then the adversarial one-line pages: extractAllBetween, the same pattern through RegexObject
(PCRE2 with JIT), and the pattern in PCRE2's interpreter on small pages for its growth.
"""
import argparse
import json
import os
import random
import re
import statistics
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "fixtures", "extract"))
import make_result_pages  # noqa: E402

CUTS = {
    # The result listing's two cuts (tests/extract/result_page_delimiters.h).
    "postAddress": ('class="p_title">\n<a class="bluelink" href="', '" class="bluelink" target="_blank" >'),
    "postTitle": ('" class="bluelink" target="_blank" >', '</a>\n</span>\n<div class="p_content">'),
}


def cpu_median(action, repetitions):
    times = []
    for _ in range(repetitions):
        start = time.process_time()
        action()
        times.append(time.process_time() - start)
    return statistics.median(times)


def run_bench(executable, page_path, repetitions):
    output = subprocess.run(
        [executable, f"--page={page_path}", f"--benchmark_repetitions={repetitions}",
         "--benchmark_report_aggregates_only=true", "--benchmark_format=json"],
        check=True, capture_output=True, text=True).stdout
    medians = {}
    for entry in json.loads(output)["benchmarks"]:
        if entry.get("aggregate_name") == "median":
            scale = {"ms": 1e-3, "us": 1e-6, "ns": 1e-9, "s": 1.0}[entry["time_unit"]]
            medians[entry["run_name"]] = (entry["cpu_time"] * scale, entry.get("hits"))
    return medians


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("executable")
    parser.add_argument("--repetitions", type=int, default=15)
    parser.add_argument("--keep-page", help="write the page here instead of a temporary file")
    args = parser.parse_args()

    page = make_result_pages.result_page(random.Random(7), 2000, quirks=False,
                                         content_chars=(5, 35))
    with tempfile.TemporaryDirectory() as folder:
        page_path = args.keep_page or os.path.join(folder, "result_page.html")
        with open(page_path, "wb") as out:
            out.write(page)
        ours = run_bench(args.executable, page_path, args.repetitions)

    text = page.decode("gbk")
    print(f"page: {len(page):,} bytes GBK, {len(text):,} characters; medians of {args.repetitions} runs, CPU time")
    print()
    print(f"{'cut':<12} {'hits':>6} {'ours ms':>9} {'py findall ms':>14} {'ratio':>6} {'py end-to-end ms':>17} {'ratio':>6}")
    for name, (left, right) in CUTS.items():
        pattern = re.compile(re.escape(left) + "(.*?)" + re.escape(right), re.IGNORECASE)
        hits = pattern.findall(text)
        findall = cpu_median(lambda: pattern.findall(text), args.repetitions)
        end_to_end = cpu_median(lambda: [h.encode("gbk") for h in pattern.findall(page.decode("gbk"))],
                                args.repetitions)
        mine, my_hits = ours[f"RealisticPage_{name}"]
        if my_hits is not None and int(my_hits) != len(hits):
            print(f"hit counts differ for {name}: ours {int(my_hits)}, Python {len(hits)}")
            return 1
        print(f"{name:<12} {len(hits):>6} {mine * 1e3:>9.2f} {findall * 1e3:>14.2f} {findall / mine:>5.1f}x"
              f" {end_to_end * 1e3:>17.2f} {end_to_end / mine:>5.1f}x")
    if "RealisticPagePattern_postAddress" in ours:
        print(f"{'(pattern through RegexObject, postAddress)':<44} {ours['RealisticPagePattern_postAddress'][0] * 1e3:.2f} ms")

    print()
    print("one line, 25,000 left delimiters per MB, no right delimiter (postTitle cut)")
    print(f"{'size':>6} {'extractAllBetween ms':>21} {'ms per MB':>10} {'pattern via RegexObject ms':>27}")
    for size in (512 * 1024, 1024 * 1024, 2 * 1024 * 1024):
        mine = ours.get(f"Adversarial/{size}", (float("nan"),))[0]
        pattern = ours.get(f"AdversarialPattern/{size}", (float("nan"),))[0]
        print(f"{size / 1048576:>4.1f}MB {mine * 1e3:>21.2f} {mine * 1e3 / (size / 1048576):>10.2f} {pattern * 1e3:>27.2f}")
    interpreter = [(size, ours.get(f"AdversarialInterpreter/{size}/iterations:1", (float("nan"),))[0])
                   for size in (8 * 1024, 16 * 1024, 32 * 1024)]
    print("the pattern without PCRE2's JIT (backtracking interpreter): "
          + ", ".join(f"{size // 1024} KB {seconds * 1e3:.1f} ms" for size, seconds in interpreter))
    return 0


if __name__ == "__main__":
    sys.exit(main())
