"""Fails when a program imports a function that the oldest Windows it runs on lacks, or when its
header asks for a newer Windows than that.

Usage: check_imports.py OBJDUMP LIST VERSION PROGRAM...

VERSION is the oldest Windows as major.minor (5.1 for XP): a header's operating-system or
subsystem version above it makes that Windows' loader refuse the program. LIST names, under a "[dll]" line for each DLL, the functions that DLL offers on that oldest
Windows. Every import of every PROGRAM (read from its import table with OBJDUMP -p) must be on
it. An import that is not is a new call, or a library or header setting that moved a program
to a newer Windows: check the function's minimum version before adding it to the list.
"""
import re
import subprocess
import sys

IMPORT_LINE = re.compile(r"^\t[0-9a-f]+\t\s*(\d+)\s+(\S+)")
HEADER_VERSION = re.compile(r"^(Major|Minor)(OSystem|Subsystem)Version\s+(\d+)$")


def read_list(path):
    offered, dll = set(), None
    with open(path, encoding="ascii") as f:
        for number, line in enumerate(f, 1):
            line = line.strip()
            if not line or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                dll = line[1:-1].lower()
            elif dll is None:
                raise SystemExit(f"{path}:{number}: a function before the first [dll] line")
            else:
                offered.add((dll, line))
    return offered


def dump_of(objdump, program):
    return subprocess.run([objdump, "-p", program], check=True, capture_output=True, text=True).stdout


def header_versions(text):
    """{"OSystem": (major, minor), "Subsystem": (major, minor)} from the header's dump."""
    parts = {}
    for line in text.splitlines():
        if match := HEADER_VERSION.match(line.strip()):
            which, kind, number = match.groups()
            parts.setdefault(kind, {})[which] = int(number)
    return {kind: (p.get("Major", 0), p.get("Minor", 0)) for kind, p in parts.items()}


def imports_of(text):
    """(dll, function) pairs of the program's import table; an import by ordinal as "#N"."""
    found, dll, in_table = [], None, False
    for line in text.splitlines():
        if line.startswith("The Import Tables"):
            in_table = True
        elif in_table and line and not line[0].isspace():
            break  # the next part of the dump
        elif in_table and line.strip().startswith("DLL Name:"):
            dll = line.split(":", 1)[1].strip().lower()
        elif in_table and dll and (match := IMPORT_LINE.match(line)):
            hint, name = match.groups()
            found.append((dll, f"#{hint}" if name == "<none>" else name))
    return found


def main():
    objdump, list_path, version, programs = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    offered = read_list(list_path)
    oldest = tuple(int(part) for part in version.split("."))
    ok = True
    for program in programs:
        text = dump_of(objdump, program)
        versions = header_versions(text)
        for kind in ("OSystem", "Subsystem"):
            if kind not in versions:
                print(f"{program}: no {kind} version in its header")
                ok = False
            elif versions[kind] > oldest:
                print(f"{program}: {kind} version {versions[kind][0]}.{versions[kind][1]} is newer than {version}")
                ok = False
        imports = imports_of(text)
        unlisted = sorted(set(imports) - offered)
        for dll, name in unlisted:
            print(f"{program}: {dll} {name}: not on the list of {list_path}")
        if not imports:
            print(f"{program}: no import table found")
        elif not unlisted:
            print(f"{program}: all {len(imports)} imports are on the list")
        ok = ok and imports and not unlisted
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
