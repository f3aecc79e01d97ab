#!/usr/bin/env python3
"""Where the bytes of Mivora.exe go: its sections, and its code by part of the program.

size_report.py <shipped Mivora.exe> <the same program linked with line information, unstripped>
The second image names every function and the source file it came from; its code is the same. Code
that was inlined counts with the function it was inlined into.
"""
import os
import re
import subprocess
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
# A file belongs to the first part whose folder holds it.
PARTS = [
    ("app/", "`app/`: entry, roads, processor check"),
    ("platform/", "`platform/`: Windows layer, fault guard, debug output"),
    ("update/", "`update/`: module table, update check, update window"),
    ("ui/framework/format/", "`ui/framework/format/`: components, design reader"),
    ("ui/framework/", "`ui/framework/`: windows, drawing, accessibility"),
    ("ui/controls/", "`ui/controls/`: bitmap button, wave player, label"),
    ("ui/message/", "`ui/message/`: the message dialog"),
    ("/", "C++ library templates made for the program (strings, vectors, functions)"),
    ("", "runtime: unwinder, exception support, C runtime start-up"),
]
EXCEPTIONS = "exception tables (`.gcc_except_table`)"


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def sections(image):
    """(name, size) of each section, in order."""
    rows = []
    for line in run("i686-w64-mingw32-objdump", "-h", image).splitlines():
        fields = line.split()
        if len(fields) >= 7 and fields[0].isdigit():
            rows.append((fields[1], int(fields[2], 16)))
    return rows


def part_of(path):
    """The part a source file belongs to; library headers and files without line information last."""
    path = os.path.normpath(path) if path else ""
    if path.startswith(ROOT + os.sep):
        path = os.path.relpath(path, ROOT)
    for prefix, part in PARTS:
        if path.startswith(prefix):
            return part
    return PARTS[-1][1]


def code_by_part(image):
    totals = {}
    for line in run("i686-w64-mingw32-nm", "-S", "-l", "--size-sort", image).splitlines():
        match = re.match(r"^[0-9a-f]+ ([0-9a-f]+) [tT] (\S+)(?:\t(\S+):\d+)?$", line)
        if not match:
            continue
        part = EXCEPTIONS if match.group(2) == ".gcc_except_table" else part_of(match.group(3))
        totals[part] = totals.get(part, 0) + int(match.group(1), 16)
    return totals


def main():
    shipped, named = sys.argv[1:3]
    print(f"{shipped}: {os.path.getsize(shipped):,} bytes\n")
    print("| section | bytes |\n|---|---|")
    for name, size in sections(shipped):
        print(f"| `{name}` | {size:,}{' (not in the file)' if name == '.bss' else ''} |")
    print("\n| code in `.text`, by part | bytes |\n|---|---|")
    totals = code_by_part(named)
    for part in [part for _, part in PARTS] + [EXCEPTIONS]:
        print(f"| {part} | {totals.get(part, 0):,} |")


if __name__ == "__main__":
    main()
