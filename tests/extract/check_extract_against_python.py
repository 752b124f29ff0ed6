#!/usr/bin/env python3
"""Compares extractAllBetween with Python's re, an engine independent of ours.

Usage: check_extract_against_python.py <extract_hits_dump executable> <page>...

For every page and delimiter pair that the dump reports, the hits must equal
re.findall(re.escape(left) + "(.*?)" + re.escape(right), page, re.IGNORECASE) over the page
decoded from GBK, each hit encoded back to GBK. Pages and delimiters are valid GBK, where
Python's codec and ours agree.
"""
import re
import subprocess
import sys


def from_hex(field):
    return b"" if field == "-" else bytes.fromhex(field)


def dumped_pairs(dump, page_path):
    output = subprocess.run([dump, page_path], check=True, capture_output=True).stdout.decode("ascii")
    pairs = []
    for line in output.splitlines():
        kind, *fields = line.split(" ")
        if kind == "P":
            pairs.append((fields[0], from_hex(fields[1]), from_hex(fields[2]), []))
        elif kind == "H":
            pairs[-1][3].append(from_hex(fields[0]))
    return pairs


def main():
    dump, pages = sys.argv[1], sys.argv[2:]
    failures = []
    compared = 0
    for page_path in pages:
        with open(page_path, "rb") as page_file:
            text = page_file.read().decode("gbk")
        for name, left, right, ours in dumped_pairs(dump, page_path):
            pattern = re.escape(left.decode("gbk")) + "(.*?)" + re.escape(right.decode("gbk"))
            expected = [hit.encode("gbk") for hit in re.findall(pattern, text, re.IGNORECASE)]
            compared += len(expected)
            if not expected:
                failures.append(f"{page_path} {name}: Python finds nothing; the page does not exercise the pair")
            if ours != expected:
                first = next((i for i, (a, b) in enumerate(zip(ours, expected)) if a != b),
                             min(len(ours), len(expected)))
                failures.append(f"{page_path} {name}: {len(ours)} hits, Python {len(expected)}; first difference "
                                f"at {first}: ours {ours[first:first + 1]!r}, Python {expected[first:first + 1]!r}")
    for failure in failures:
        print(failure)
    print(f"{len(pages)} pages, {compared} hits compared, {len(failures)} differences")
    return 1 if failures or not pages else 0


if __name__ == "__main__":
    sys.exit(main())
