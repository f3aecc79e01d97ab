#!/usr/bin/env python3
"""Fails when an instruction newer than the Pentium can run before the program's processor check:
from the entry point and from the TLS callbacks (which the loader runs first), every instruction that
control can reach up to the runtime's start-up (WinMainCRTStartup) must run on a Pentium. Proves
itself: from the runtime's start-up the same walk must find such an instruction.
Usage: check_cpu_entry.py OBJDUMP PROGRAM LINK_MAP"""

import re
import struct
import subprocess
import sys

# Pentium Pro and later (CMOV, FCMOV, FCOMI, RDPMC, UD2, the long NOPs), SYSENTER, CET, MMX and SSE.
NEWER = re.compile(r"\b(cmov\w+|fcmov\w+|fu?comip?|rdpmc|ud2\w*|sysenter|sysexit|endbr32|nop[wl]|"
                   r"prefetch\w*|[lms]fence|clflush|fxsave|fxrstor|movnt\w+)\b|%x?mm\d")
DIRECT = re.compile(r"^(call|jmp|j\w+|loop\w*)\s+(?:0x)?([0-9a-f]+)\b")


def disassembly(objdump, program):
    text = subprocess.run([objdump, "-d", "--no-show-raw-insn", program], check=True,
                          capture_output=True, text=True).stdout
    code = {}
    for line in text.splitlines():
        found = re.match(r"\s*([0-9a-f]+):\s+(.*\S)", line)
        if found:
            code[int(found.group(1), 16)] = found.group(2)
    return code


def tls_callbacks(program):
    data = open(program, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    base = struct.unpack_from("<I", data, optional + 28)[0]
    table = optional + optional_size
    layout = [struct.unpack_from("<8xIIII", data, table + 40 * i) for i in range(sections)]

    def at(va):
        for size, address, raw_size, raw in layout:
            if address <= va - base < address + max(size, raw_size):
                return raw + va - base - address
        raise ValueError(hex(va))
    tls_rva = struct.unpack_from("<I", data, optional + 96 + 8 * 9)[0]
    if tls_rva == 0:
        return []
    callbacks, found = struct.unpack_from("<12xI", data, at(base + tls_rva))[0], []
    while callbacks and struct.unpack_from("<I", data, at(callbacks))[0]:
        found.append(struct.unpack_from("<I", data, at(callbacks))[0])
        callbacks += 4
    return found


def text_pieces(link_map):
    """(start, end) of each object's code, and the runtime start-up's address."""
    text = open(link_map).read()
    pieces = [(int(a, 16), int(a, 16) + int(s, 16)) for a, s in
              re.findall(r"^ \.text\S*\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+\S", text, re.M)]
    start = re.search(r"^\s+0x([0-9a-f]+)\s+_?WinMainCRTStartup\s*$", text, re.M)
    return pieces, int(start.group(1), 16)


def newer_instructions(code, pieces, roots, stop):
    """Instructions newer than the Pentium reachable from the roots, up to `stop`. A walk ends at a
    return, a jump, or the end of the object it runs in (a call that does not return is last there)."""
    addresses = sorted(code)
    following = dict(zip(addresses, addresses[1:]))
    found, seen, queue = [], set(), list(roots)
    while queue:
        address = queue.pop()
        end = next((e for s, e in pieces if s <= address < e), None)
        while address not in seen and address != stop and address in code and (end is None or address < end):
            seen.add(address)
            instruction = code[address]
            if NEWER.search(instruction):
                found.append("%x: %s" % (address, instruction))
            direct = DIRECT.match(instruction)
            if direct:
                queue.append(int(direct.group(2), 16))
            if instruction.startswith(("ret", "jmp")):
                break
            address = following.get(address)
    return found


def main(objdump, program, link_map):
    code = disassembly(objdump, program)
    pieces, runtime_start = text_pieces(link_map)
    entry = int(re.search(r"start address 0x([0-9a-f]+)", subprocess.run(
        [objdump, "-f", program], check=True, capture_output=True, text=True).stdout).group(1), 16)
    failures = []
    if entry == runtime_start:
        failures.append("the entry point is the runtime's start-up, not the processor check")
    failures += newer_instructions(code, pieces, [entry] + tls_callbacks(program), runtime_start)
    if not newer_instructions(code, pieces, [runtime_start], None):
        failures.append("the walk finds nothing newer than the Pentium in the runtime's start-up either")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
