#!/usr/bin/env python3
"""Reads the rights the installer and the key tool set, as their scripts state them, and
fails when a group that every standard user belongs to could change the program's folder or
anything in it. Windows' own rights on that folder let only administrators change it; the
scripts must add nothing there. The grants they do make (the settings key and the data
folder) must be exactly the known ones.

    check_rights.py installer.nsi settings_key.nsh [key_tool.nsi ...]
"""
import re
import sys

# Rights that let the holder change a file or folder, its attributes, rights or owner.
CHANGE_RIGHTS = 0x2 | 0x4 | 0x10 | 0x40 | 0x100 | 0x10000 | 0x40000 | 0x80000 | 0x40000000 | 0x10000000
EVERY_USER = {"BU", "AU", "WD", "IU"}  # Users, Authenticated Users, Everyone, Interactive
EXPECTED_GRANTS = {
    ('"${LURK_SETTINGS_KEY_OBJECT}"', "${LURK_SE_REGISTRY_KEY}", '"${LURK_KEY_GRANT}"'),
    ('"$APPDATA\\${LURK_DATA_FOLDER}"', "${LURK_SE_FILE_OBJECT}", '"${LURK_DATA_GRANT}"'),
}


def main(paths):
    text = {p: open(p, encoding="utf-8").read() for p in paths}
    everything = "\n".join(text.values())
    defines = dict(re.findall(r'^!define\s+(\w+)\s+"?([^"\n]*)"?', everything, re.M))
    failures = []

    grants = [tuple(m) for m in re.findall(r'^\s*!insertmacro\s+LurkGrantUsers\s+("[^"]*"|\S+)\s+(\S+)\s+("[^"]*"|\S+)',
                                           everything, re.M)]
    for grant in grants:
        if grant not in EXPECTED_GRANTS:
            failures.append("unexpected grant %s" % (grant,))
        target, kind = grant[0], grant[1]
        if "$INSTDIR" in target or "$PROGRAMFILES" in target:
            failures.append("a grant on the program's folder: %s" % (grant,))
        sddl = defines.get(grant[2].strip('"').strip("${}"), "")
        for mask, trustee in re.findall(r"\(A;[^;]*;(0x[0-9a-fA-F]+);;;(\w+)\)", sddl):
            if kind == "${LURK_SE_FILE_OBJECT}" and trustee in EVERY_USER and int(mask, 16) & CHANGE_RIGHTS \
                    and "LURK_DATA_FOLDER" not in target:
                failures.append("every user may change %s" % target)
    if {g for g in grants} != EXPECTED_GRANTS:
        failures.append("grants made: %s" % (sorted(set(grants)),))

    # No other way of changing rights: icacls, cacls, the AccessControl plug-in or a raw call
    # outside the one macro.
    for path, body in text.items():
        outside = re.sub(r"!macro LurkGrantUsers.*?!macroend", "", body, flags=re.S)
        for line in outside.splitlines():
            code = line.split(";", 1)[0]
            if re.search(r"icacls|cacls|AccessControl::|Set\w*Security\w*", code, re.I):
                failures.append("%s changes rights outside LurkGrantUsers: %s" % (path, line.strip()))

    for failure in failures:
        print("FAIL:", failure)
    if not failures:
        print("rights: %d grants, none on the program's folder" % len(grants))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
