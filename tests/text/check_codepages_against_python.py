#!/usr/bin/env python3
"""Compares our GBK and Big5 conversions with Python's codecs, an implementation independent of ours.

Usage: check_codepages_against_python.py <codepage_table_dump executable>

Python's "gbk" and "cp950" codecs leave out what Windows' tables add: the euro sign at 0x80 and
the user-defined areas, which Windows maps into the Private Use Area. There the Windows behaviour
is asserted instead: such a code decodes to a Private Use character and encodes back to itself.
"""
import subprocess
import sys

REPLACEMENT = "?"


def units_text(field):
    if field == "-":
        return ""
    return "".join(chr(int(u, 16)) for u in field.split(",")).encode("utf-16-le", "surrogatepass").decode(
        "utf-16-le", "surrogatepass")


def hex_bytes(field):
    return b"" if field == "-" else bytes.fromhex(field)


def reference_decode(data, codec):
    try:
        return data.decode(codec)
    except UnicodeDecodeError:
        return None


def is_private_use(text):
    return len(text) == 1 and 0xE000 <= ord(text) <= 0xF8FF


def main():
    output = subprocess.run([sys.argv[1]], check=True, capture_output=True).stdout.decode("ascii")
    failures = []
    counts = {"gbk_exact": 0, "gbk_windows_only": 0, "gbk_invalid": 0,
              "big5_exact": 0, "big5_windows_only": 0, "big5_invalid": 0}

    def fail(message):
        if len(failures) < 40:
            failures.append(message)

    for line in output.splitlines():
        kind, code, *rest = line.split(" ")
        data = hex_bytes(code)
        if kind == "G":
            ours, back = units_text(rest[0]), hex_bytes(rest[1])
            expected = reference_decode(data, "gbk")
            if expected is not None:
                counts["gbk_exact"] += 1
                if ours != expected or back != data:
                    fail(f"GBK {code}: ours {ours!r} back {back.hex()}, Python {expected!r}")
            elif data == b"\x80":
                # Windows' code page 936 has the euro sign at 0x80; Python's gbk does not.
                counts["gbk_windows_only"] += 1
                if ours != "\u20ac" or back != data:
                    fail(f"GBK 80: ours {ours!r}, Windows has U+20AC")
            elif is_private_use(ours):
                counts["gbk_windows_only"] += 1
                if back != data:
                    fail(f"GBK {code}: user-defined {ours!r} does not encode back")
            else:
                # Invalid in both tables: one '?' for the invalid byte, the rest decoded alone.
                counts["gbk_invalid"] += 1
                if not ours.startswith(REPLACEMENT) or "\ufffd" in ours:
                    fail(f"GBK {code}: invalid code decoded to {ours!r}")
        else:
            ours, traditional, simplified = units_text(rest[0]), hex_bytes(rest[1]), hex_bytes(rest[2])
            expected = reference_decode(data, "cp950")
            if data == b"\x80":
                # Windows' code page 950 passes 0x80 through as U+0080; Python's cp950 rejects it.
                counts["big5_windows_only"] += 1
                if ours != "\x80":
                    fail(f"Big5 80: ours {ours!r}, Windows has U+0080")
            elif expected is not None and is_private_use(ours) and ours != expected:
                # C6A1-C8FE is user-defined in Windows' table (Private Use); Python's cp950
                # fills part of it with the ETEN kana and symbols. Such a character has no GBK form.
                counts["big5_windows_only"] += 1
                if traditional != b"?":
                    fail(f"Big5 {code}: user-defined {ours!r} became {traditional.hex()} in GBK")
            elif expected is not None:
                counts["big5_exact"] += 1
                if ours != expected:
                    fail(f"Big5 {code}: ours {ours!r}, Python {expected!r}")
                try:
                    gbk_form = expected.encode("gbk")
                except UnicodeEncodeError:
                    gbk_form = None
                if expected == "\u20ac":
                    gbk_form = b"\x80"  # Windows' 936 has the euro sign; Python's gbk lacks it
                elif gbk_form is None:
                    # GBK lacks it: one '?' stands in, and nothing after it is lost.
                    gbk_form = b"".join(c.encode("gbk", "replace") for c in expected)
                if traditional != gbk_form:
                    fail(f"Big5 {code}: traditional GBK {traditional.hex()}, Python {gbk_form.hex()}")
            elif is_private_use(ours):
                counts["big5_windows_only"] += 1
            else:
                counts["big5_invalid"] += 1
                if "\ufffd" in ours or not ours.startswith(REPLACEMENT):
                    fail(f"Big5 {code}: invalid code decoded to {ours!r}")
            if len(simplified) != len(traditional):
                fail(f"Big5 {code}: simplifying changed the length {traditional.hex()} -> {simplified.hex()}")

    print(" ".join(f"{k}={v}" for k, v in counts.items()))
    if failures:
        print("\n".join(failures[:40]))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
