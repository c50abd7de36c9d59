"""Checks that the portable zip holds exactly the expected files and the built version.txt.

Usage: check_zip.py ZIP VERSION_TXT ENTRY...
"""
import sys
import zipfile


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
            if name.endswith(".exe") and z.read(name)[:2] != b"MZ":
                print(name, "is not a Windows program")
                ok = False
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
