#!/usr/bin/env python3
"""Fails when the program imports a DLL or function missing from the list of what Windows 98 SE, ME,
NT 4.0 SP6 and 2000 SP4 all export, or when an entry of the list lacks its reason.
Usage: check_imports.py OBJDUMP PROGRAM LIST"""

import re
import subprocess
import sys


def imports(objdump, program):
    """(dll, function) pairs of the program's import table, by name; ordinals as '#n'."""
    text = subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout
    found, dll = set(), None
    for line in text.splitlines():
        named = re.match(r"\s*DLL Name: (\S+)", line)
        if named:
            dll = named.group(1)
            continue
        entry = re.match(r"\s+[0-9a-f]+\s+(\d+)\s+(\S+)\s*$", line) if dll else None
        if entry:
            found.add((dll.upper(), entry.group(2)))
        elif dll and re.match(r"\s+[0-9a-f]+\s+<none>\s+([0-9a-f]+)", line):
            found.add((dll.upper(), "#" + line.split()[-1]))
        elif not line.strip() and found:
            dll = None
    return found


def allowed(path):
    entries, faults = set(), []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            parts = line.split(None, 2)
            if len(parts) < 3:
                faults.append(f"{path}:{number}: an entry needs a DLL, a function and a reason")
                continue
            entries.add((parts[0].upper(), parts[1]))
    return entries, faults


def main(objdump, program, listing):
    used = imports(objdump, program)
    if not used:
        sys.exit(f"no imports read from {program}")
    listed, faults = allowed(listing)
    for dll, function in sorted(used - listed):
        faults.append(f"{dll} {function}: imported but not in {listing}; check that Windows 98 SE, ME, "
                      f"NT 4.0 SP6 and 2000 SP4 all export it, or look it up at run time")
    for dll, function in sorted(listed - used):
        print(f"note: {dll} {function} is listed but no longer imported")
    print(f"{len(used)} imports from {len({d for d, _ in used})} DLLs checked")
    if faults:
        sys.exit("\n".join(faults))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
