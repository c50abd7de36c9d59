"""Checks that the portable zip holds exactly the expected files and the built version.txt,
and that its programs and libraries, and the programs they carry, come without symbols.

Usage: check_zip.py ZIP VERSION_TXT ENTRY...
"""
import struct
import sys
import zipfile


def programs_with_symbols(data):
    """Offsets of the Windows programs in data (the file itself and any it carries as a
    resource) whose COFF header still counts symbols (strip leaves the table's offset)."""
    found, start = [], data.find(b"MZ")
    while start >= 0:
        if start + 64 <= len(data):
            (pe,) = struct.unpack_from("<I", data, start + 0x3C)
            header = start + pe
            if data[header:header + 4] == b"PE\0\0" and header + 24 <= len(data):
                (symbol_count,) = struct.unpack_from("<I", data, header + 16)
                if symbol_count:
                    found.append(start)
        start = data.find(b"MZ", start + 1)
    return found


def main():
    zip_path, version_txt, expected = sys.argv[1], sys.argv[2], set(sys.argv[3:])
    with zipfile.ZipFile(zip_path) as z:
        files = {n for n in z.namelist() if not n.endswith("/")}
        ok = True
        if files != expected:
            print("missing:", sorted(expected - files), "unexpected:", sorted(files - expected))
            ok = False
        version_entry = next((n for n in files if n.endswith("/version.txt")), None)
        with open(version_txt, "rb") as f:
            wanted = f.read()
        if version_entry is None or z.read(version_entry) != wanted:
            print("version.txt in the zip differs from", version_txt)
            ok = False
        for name in files:
            if not name.endswith((".exe", ".dll")):
                continue
            data = z.read(name)
            if data[:2] != b"MZ":
                print(name, "is not a Windows program")
                ok = False
            for offset in programs_with_symbols(data):
                print(name, "holds a program with symbols at offset", offset)
                ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
