#!/usr/bin/env python3
"""Where the bytes of Mivora.exe go: its sections, and its code by part of the program.

size_report.py <shipped Mivora.exe> <the same program linked with line information, unstripped>
The second image names every function and the source file it came from; its code is the same.
"""
import re
import subprocess
import sys

# Longest prefix first: a file belongs to the first part whose folder holds it.
PARTS = [
    ("app/", "app: entry, roads, processor check"),
    ("platform/", "platform: Windows layer, fault guard, debug output"),
    ("update/", "update: module table, check, update window"),
    ("ui/framework/format/", "ui/framework/format: components, design reader"),
    ("ui/framework/", "ui/framework: windows, drawing, accessibility"),
    ("ui/controls/", "ui/controls: bitmap button, wave player, label"),
    ("ui/message/", "ui/message: the message dialog"),
]
LIBRARY = "C++ library templates and runtime, C runtime"


def run(*command):
    return subprocess.run(command, check=True, capture_output=True, text=True).stdout


def sections(image):
    """(name, bytes in the file) of each section, in order."""
    rows = []
    for line in run("i686-w64-mingw32-objdump", "-h", image).splitlines():
        fields = line.split()
        if len(fields) >= 7 and fields[0].isdigit():
            rows.append((fields[1], int(fields[2], 16)))
    return rows


def part_of(path):
    path = path.replace("\\", "/")
    for prefix, part in PARTS:
        if "/" + prefix in path or path.startswith(prefix):
            return part
    return LIBRARY


def code_by_part(image):
    totals = {}
    for line in run("i686-w64-mingw32-nm", "-S", "-l", "--size-sort", image).splitlines():
        match = re.match(r"^[0-9a-f]+ ([0-9a-f]+) ([tT]) (.*?)(?:\t(\S+):\d+)?$", line)
        if not match:
            continue
        part = part_of(match.group(4) or "")
        totals[part] = totals.get(part, 0) + int(match.group(1), 16)
    return totals


def main():
    shipped, named = sys.argv[1:3]
    file_size = len(open(shipped, "rb").read())
    print(f"{shipped}: {file_size} bytes\n")
    print("| section | bytes (in the file, before alignment) |\n|---|---|")
    for name, size in sections(shipped):
        print(f"| `{name}` | {size:,} |")
    print("\n| part (code in `.text`) | bytes |\n|---|---|")
    totals = code_by_part(named)
    for _, part in PARTS + [("", LIBRARY)]:
        print(f"| {part} | {totals.get(part, 0):,} |")


if __name__ == "__main__":
    main()
