#!/usr/bin/env python3
"""Lists the cycles between units: a unit is a .h/.cpp pair (or a lone file), and it depends on
another when one of its files includes the other's header. Prints one line per cycle (the units of
one strongly connected group) and exits 1 when there is any.
    tools/unit_cycles/unit_cycles.py [folder...]   (default: app platform ui update)"""
import pathlib
import re
import sys

root = pathlib.Path(__file__).resolve().parents[2]
folders = sys.argv[1:] or ["app", "platform", "ui", "update"]
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)

edges = {}
for folder in folders:
    for path in sorted((root / folder).rglob("*")):
        if path.suffix not in (".h", ".cpp"):
            continue
        unit = str(path.relative_to(root).with_suffix(""))
        targets = edges.setdefault(unit, set())
        for header in include.findall(path.read_text(encoding="utf-8")):
            target = str(pathlib.Path(header).with_suffix(""))
            if target != unit:
                targets.add(target)

# Tarjan's strongly connected components.
index, low, stack, on_stack, groups = {}, {}, [], set(), []


def visit(unit):
    index[unit] = low[unit] = len(index)
    stack.append(unit)
    on_stack.add(unit)
    for target in edges.get(unit, ()):
        if target not in index:
            visit(target)
            low[unit] = min(low[unit], low[target])
        elif target in on_stack:
            low[unit] = min(low[unit], index[target])
    if low[unit] == index[unit]:
        group = []
        while True:
            member = stack.pop()
            on_stack.discard(member)
            group.append(member)
            if member == unit:
                break
        if len(group) > 1:
            groups.append(sorted(group))


sys.setrecursionlimit(10000)
for unit in sorted(edges):
    if unit not in index:
        visit(unit)
for group in sorted(groups):
    print(" <-> ".join(group))
print(f"{len(groups)} cycle(s)")
sys.exit(1 if groups else 0)
