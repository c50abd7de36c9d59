#!/usr/bin/env python3
"""Fails when a file under src/ includes a header from a folder on a higher floor.

The floors are src/floors.txt, the ground first. Also fails when a folder of src/ is missing
from that list, or when the README's layout table names the src/ folders in another order.
Usage: check_floors.py [repository root]
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^[ \t]*#[ \t]*include[ \t]+"([A-Za-z0-9_]+)/[^"]+"', re.MULTILINE)
LAYOUT_ROW = re.compile(r"^\|\s*`src/([A-Za-z0-9_]+)`\s*\|", re.MULTILINE)


def read_floors(root):
    lines = (root / "src" / "floors.txt").read_text().splitlines()
    return [line.strip() for line in lines if line.strip() and not line.lstrip().startswith("#")]


def include_faults(root, floors):
    level = {name: i for i, name in enumerate(floors)}
    faults = []
    src = root / "src"
    for folder in sorted(p for p in src.iterdir() if p.is_dir()):
        if folder.name not in level:
            faults.append(f"src/{folder.name}: not a floor in src/floors.txt")
            continue
        for path in sorted(folder.rglob("*")):
            if path.suffix not in (".h", ".cpp", ".rc"):
                continue
            text = path.read_text(encoding="latin-1")
            for match in INCLUDE.finditer(text):
                target = match.group(1)
                line = text.count("\n", 0, match.start()) + 1
                where = f"{path.relative_to(root)}:{line}"
                if target not in level:
                    faults.append(f'{where}: includes "{target}/", which is not a floor')
                elif level[target] > level[folder.name]:
                    faults.append(f'{where}: {folder.name} includes "{target}/", a floor above it')
    return faults


def layout_faults(root, floors):
    # The README lists the floors top first, as a reader meets them.
    listed = LAYOUT_ROW.findall((root / "README.md").read_text(encoding="utf-8"))
    expected = list(reversed(floors))
    if listed != expected:
        return [f"README.md layout table lists src/ as {listed}, expected {expected} (top first)"]
    return []


def main(argv):
    root = pathlib.Path(argv[1] if len(argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
    floors = read_floors(root)
    faults = include_faults(root, floors) + layout_faults(root, floors)
    for fault in faults:
        print(fault, file=sys.stderr)
    if faults:
        return 1
    print(f"floors hold: {' < '.join(floors)}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
