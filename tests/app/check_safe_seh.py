#!/usr/bin/env python3
"""Fails when Windows XP SP2 and later would refuse the fault guard's exception handler
(mivora_guard_handler, platform/win32/fault_guard_i386.cpp) in the program: when the image is marked as
having no handlers (NO_SEH), when it has a load configuration whose SafeSEH table does not list the
handler, or when the handler lies outside executable code (the image asks for DEP). A load
configuration without a SafeSEH table counts as one that lacks the handler. Then proves, on doctored
copies of the image, that each of these faults is seen and that a table listing the handler passes.
Usage: check_safe_seh.py PROGRAM LINK_MAP"""

import re
import struct
import sys

NO_SEH = 0x0400
SCN_MEM_EXECUTE = 0x20000000
LOAD_CONFIG = 10
SEH_FIELDS_END = 72  # IMAGE_LOAD_CONFIG_DIRECTORY32 up to SEHandlerTable (64) and SEHandlerCount (68)


class Image:
    def __init__(self, data):
        self.data = data
        pe = struct.unpack_from("<I", data, 0x3C)[0]
        if data[pe:pe + 4] != b"PE\0\0":
            raise ValueError("not a PE image")
        sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
        self.optional = pe + 24
        if struct.unpack_from("<H", data, self.optional)[0] != 0x10B:
            raise ValueError("not a 32-bit image")
        self.base = struct.unpack_from("<I", data, self.optional + 28)[0]
        self.dll_characteristics_at = self.optional + 70
        self.directories = self.optional + 96
        self.section_table = self.optional + optional_size
        self.sections = [struct.unpack_from("<8sIIII12xI", data, self.section_table + 40 * i)
                         for i in range(sections)]

    def dll_characteristics(self):
        return struct.unpack_from("<H", self.data, self.dll_characteristics_at)[0]

    def directory(self, index):
        return struct.unpack_from("<II", self.data, self.directories + 8 * index)

    def section_of(self, rva):
        for name, size, address, raw_size, raw, flags in self.sections:
            if address <= rva < address + max(size, raw_size):
                return name.rstrip(b"\0").decode(), address, raw, flags
        return None

    def offset(self, rva):
        found = self.section_of(rva)
        if found is None:
            raise ValueError(f"RVA {rva:#x} lies in no section")
        return rva - found[1] + found[2]

    def dword(self, rva):
        return struct.unpack_from("<I", self.data, self.offset(rva))[0]


def faults(data, handler):
    """What would make Windows refuse the handler at RVA `handler` in the image `data`."""
    image, found = Image(data), []
    if image.dll_characteristics() & NO_SEH:
        found.append("NO_SEH is set: Windows refuses every exception handler of the image")
    section = image.section_of(handler)
    if section is None or not section[3] & SCN_MEM_EXECUTE:
        found.append(f"the handler at RVA {handler:#x} is not in executable code")
    rva, size = image.directory(LOAD_CONFIG)
    if rva == 0 and size == 0:
        return found
    if image.dword(rva) < SEH_FIELDS_END or image.dword(rva + 64) == 0:
        found.append("a load configuration appeared without a SafeSEH table")
        return found
    table, count = image.dword(rva + 64) - image.base, image.dword(rva + 68)
    if handler not in (image.dword(table + 4 * i) for i in range(count)):
        found.append(f"the load configuration's SafeSEH table ({count} handlers) lacks the fault guard's "
                     f"handler at RVA {handler:#x}")
    return found


def handler_rva(link_map, base):
    with open(link_map, encoding="utf-8", errors="replace") as f:
        for line in f:
            hit = re.match(r"\s+0x([0-9a-f]+)\s+_?mivora_guard_handler\s*$", line)
            if hit:
                return int(hit.group(1), 16) - base
    sys.exit(f"{link_map} does not name mivora_guard_handler")


def with_no_seh(data):
    copy, image = bytearray(data), Image(data)
    struct.pack_into("<H", copy, image.dll_characteristics_at, image.dll_characteristics() | NO_SEH)
    return bytes(copy)


def with_code_not_executable(data):
    copy, image = bytearray(data), Image(data)
    for i, section in enumerate(image.sections):
        struct.pack_into("<I", copy, image.section_table + 40 * i + 36, section[5] & ~SCN_MEM_EXECUTE)
    return bytes(copy)


def with_load_config(data, listed):
    """A copy with a load configuration, written over the start of a data section (never run), whose
    SafeSEH table lists `listed`."""
    copy, image = bytearray(data), Image(data)
    _, _, address, _, raw, _ = next(s for s in image.sections if s[0].rstrip(b"\0") in (b".rdata", b".data"))
    config = bytearray(SEH_FIELDS_END)
    struct.pack_into("<I", config, 0, SEH_FIELDS_END)
    struct.pack_into("<II", config, 64, image.base + address + SEH_FIELDS_END, len(listed))
    config += b"".join(struct.pack("<I", rva) for rva in listed)
    copy[raw:raw + len(config)] = config
    struct.pack_into("<II", copy, image.directories + 8 * LOAD_CONFIG, address, 64)
    return bytes(copy)


def main(program, link_map):
    with open(program, "rb") as f:
        data = f.read()
    image = Image(data)
    handler = handler_rva(link_map, image.base)
    found = faults(data, handler)
    section = image.section_of(handler)
    rva, _ = image.directory(LOAD_CONFIG)
    print(f"handler at RVA {handler:#x} in {section[0] if section else 'no section'}; "
          f"{f'load configuration at RVA {rva:#x}' if rva else 'no load configuration'}; "
          f"NO_SEH {'set' if image.dll_characteristics() & NO_SEH else 'clear'}")
    if found:
        sys.exit("\n".join(found))

    proofs = [("NO_SEH set", with_no_seh(data), False),
              ("code not executable", with_code_not_executable(data), False),
              ("table without the handler", with_load_config(data, [handler + 16]), False),
              ("empty table", with_load_config(data, []), False),
              ("table with the handler", with_load_config(data, [handler - 16, handler]), True)]
    wrong = [name for name, copy, passes in proofs if (not faults(copy, handler)) != passes]
    if wrong:
        sys.exit("the check misjudges doctored copies: " + ", ".join(wrong))
    print(f"{len(proofs)} doctored copies judged right")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(*sys.argv[1:])
