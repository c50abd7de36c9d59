"""Holds the frame recorder's export and import tables to what the game expects of its GL library.

Usage: check_recorder_exports.py OBJDUMP NM RECORDER LIST MINGW_LIBOPENGL32 WINE_OPENGL32

- Its exports are exactly the committed LIST, which is exactly the names of mingw-w64's import
  library of opengl32 (Windows' opengl32.dll), and hold every export of Wine's installed
  opengl32.dll.
- Every export but wglSwapBuffers is a forwarder to opengl32's function of the same name;
  wglSwapBuffers is code of its own.
- It imports from kernel32 and opengl32 alone, and from opengl32 only wglSwapBuffers: no C
  runtime, no other library.
"""
import re
import subprocess
import sys

NAME_ROW = re.compile(r"^\t\[\s*(\d+)\] (\S+)$")
ADDRESS_ROW = re.compile(r"^\t\[\s*(\d+)\] \+base\[\s*\d+\]\s+[0-9a-f]+ (Export RVA|Forwarder RVA -- (\S+))$")
IMPORT_DLL = re.compile(r"^\tDLL Name: (\S+)$")
IMPORT_ROW = re.compile(r"^\t[0-9a-f]+\t\s*\d+\s+(\S+)$")


def dump(objdump, path):
    return subprocess.run([objdump, "-p", path], check=True, capture_output=True, text=True).stdout


def exports(text):
    """{name: forwarder target or None} from the dump's export tables."""
    names, targets, part = {}, {}, None
    for line in text.splitlines():
        if line.startswith("Export Address Table --"):
            part = "addresses"
        elif line.startswith("[Ordinal/Name Pointer] Table"):
            part = "names"
        elif not line.strip():
            part = None
        elif part == "addresses" and (m := ADDRESS_ROW.match(line)):
            targets[int(m.group(1))] = m.group(3)
        elif part == "names" and (m := NAME_ROW.match(line)):
            names[m.group(2)] = int(m.group(1))
    return {name: targets.get(index, "<no address>") for name, index in names.items()}


def imports(text):
    found, dll = set(), None
    for line in text.splitlines():
        if m := IMPORT_DLL.match(line):
            dll = m.group(1).lower()
        elif dll and (m := IMPORT_ROW.match(line)):
            found.add((dll, m.group(1)))
        elif line.startswith("There is an export table") or line.startswith("The Export Tables"):
            dll = None
    return found


def import_library_names(nm, library):
    """The functions of a mingw import library, without i686's underscore and @N decoration."""
    out = subprocess.run([nm, library], check=True, capture_output=True, text=True).stdout
    names = set()
    for line in out.splitlines():
        parts = line.split()
        if len(parts) == 3 and parts[1] == "T" and not parts[2].startswith("."):
            names.add(re.sub(r"^_(.*)@\d+$", r"\1", parts[2]))
    return names


def read_list(path):
    with open(path, encoding="ascii") as f:
        return {line.strip() for line in f if line.strip() and not line.startswith("#")}


def main():
    objdump, nm, recorder, list_path, mingw_library, wine_dll = sys.argv[1:7]
    faults = []
    recorder_text = dump(objdump, recorder)
    ours = exports(recorder_text)
    listed = read_list(list_path)
    mingw = import_library_names(nm, mingw_library)
    wine = set(exports(dump(objdump, wine_dll)))
    if not wine:
        faults.append(f"{wine_dll}: no exports read")
    for what, names in (("the committed list", listed), (mingw_library, mingw)):
        for name in sorted(names - set(ours)):
            faults.append(f"{name}: in {what}, not exported")
        for name in sorted(set(ours) - names):
            faults.append(f"{name}: exported, not in {what}")
    for name in sorted(wine - set(ours)):
        faults.append(f"{name}: exported by {wine_dll}, not by the recorder")
    for name, target in sorted(ours.items()):
        if name == "wglSwapBuffers":
            if target is not None:
                faults.append(f"wglSwapBuffers: forwarded to {target}, not the recorder's own")
        elif target != f"opengl32.{name}":
            faults.append(f"{name}: {'its own code' if target is None else target}, not a forwarder to opengl32.{name}")
    for dll, function in sorted(imports(recorder_text)):
        if dll != "kernel32.dll" and (dll, function) != ("opengl32.dll", "wglSwapBuffers"):
            faults.append(f"imports {dll} {function}: only kernel32 and opengl32's wglSwapBuffers")
    for fault in faults:
        print(fault)
    if not faults:
        print(f"{recorder}: {len(ours)} exports, {len(ours) - 1} of them forwarders to opengl32; "
              f"Wine's {len(wine)} are among them")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
