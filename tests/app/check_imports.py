#!/usr/bin/env python3
"""Fails when the program imports a DLL or function missing from the list of what Windows 98 SE, ME,
NT 4.0 SP6 and 2000 SP4 all export, when an entry of the list lacks its reason, or when a DLL the list
names as delay-loaded is loaded at start (or one it does not name is delay-loaded).
Usage: check_imports.py OBJDUMP PROGRAM LIST"""

import re
import struct
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


class Image:
    """Reads a PE image's contents by relative virtual address."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = f.read()
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        count, optional = struct.unpack_from("<H", self.data, pe + 6)[0], struct.unpack_from("<H", self.data, pe + 20)[0]
        self.sections = []
        for i in range(count):
            size, address, raw_size, raw = struct.unpack_from("<IIII", self.data, pe + 24 + optional + 40 * i + 8)
            self.sections.append((address, raw_size, raw))

    def offset(self, rva):
        for address, raw_size, raw in self.sections:
            if address <= rva < address + raw_size:
                return raw + rva - address
        return None

    def text(self, rva):
        at = self.offset(rva)
        if at is None:
            return None
        end = self.data.find(b"\0", at, at + 256)
        return self.data[at:end].decode("latin-1") if end > at else None

    def word(self, rva):
        at = self.offset(rva)
        return struct.unpack_from("<I", self.data, at)[0] if at is not None else None

    def names(self, rva):
        """The names of a null-ended name table (RVAs of hint/name entries), or None when it is none."""
        found, at = [], self.offset(rva)
        while at is not None and at + 4 <= len(self.data):
            entry = struct.unpack_from("<I", self.data, at)[0]
            if entry == 0:
                return found
            name = "#%d" % (entry & 0xFFFF) if entry & 0x80000000 else self.text(entry + 2)
            if not name or not re.fullmatch(r"[#\w@?$]+", name):
                return None
            found.append(name)
            at += 4
        return None


def delay_imports(program, faults):
    """(dll, function) pairs of the delay-load descriptors. The GNU linker leaves the delay-import
    directory entry empty, so the descriptors are found by their shape: attributes 1 (addresses are
    RVAs), a DLL name, a handle slot, an address table and a name table that read as such. Each address
    slot must start out holding its stub's address; one that holds none would be called as address 0."""
    image, found = Image(program), set()
    for address, raw_size, raw in image.sections:
        for at in range(raw, raw + raw_size - 32 + 1, 4):
            attributes, name, handle, table, names = struct.unpack_from("<5I", image.data, at)
            if attributes != 1 or 0 in (name, handle, table, names):
                continue
            dll = image.text(name)
            functions = image.names(names) if dll and dll.lower().endswith(".dll") else None
            if functions:
                found.update((dll.upper(), function) for function in functions)
                for i, function in enumerate(functions):
                    if not image.word(table + 4 * i):
                        faults.append(f"{dll.upper()} {function}: its delay-load slot holds no address "
                                      f"(called through __imp_ without its stub)")
    return found


def allowed(path):
    entries, delayed, faults = set(), set(), []
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            if not line.strip() or line.startswith("#"):
                continue
            parts = line.split(None, 2)
            if parts[0] == "delay-load":
                delayed.update(dll.upper() for dll in line.split()[1:])
            elif len(parts) < 3:
                faults.append(f"{path}:{number}: an entry needs a DLL, a function and a reason")
            else:
                entries.add((parts[0].upper(), parts[1]))
    return entries, delayed, faults


def main(objdump, program, listing):
    listed, delayed, faults = allowed(listing)
    at_start, later = imports(objdump, program), delay_imports(program, faults)
    used = at_start | later
    if not at_start:
        sys.exit(f"no imports read from {program}")
    for dll, function in sorted(used - listed):
        faults.append(f"{dll} {function}: imported but not in {listing}; check that Windows 98 SE, ME, "
                      f"NT 4.0 SP6 and 2000 SP4 all export it, or look it up at run time")
    for dll in sorted({d for d, _ in at_start} & delayed):
        faults.append(f"{dll} is loaded at start, but {listing} has it delay-loaded")
    for dll in sorted({d for d, _ in later} - delayed):
        faults.append(f"{dll} is delay-loaded, but {listing} does not say so")
    for dll, function in sorted(listed - used):
        print(f"note: {dll} {function} is listed but no longer imported")
    print(f"{len(used)} imports from {len({d for d, _ in used})} DLLs checked, "
          f"{len({d for d, _ in later})} of them delay-loaded")
    if faults:
        sys.exit("\n".join(faults))


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])
