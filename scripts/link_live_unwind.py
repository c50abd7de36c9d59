#!/usr/bin/env python3
"""Links a 32-bit mingw-w64 program so that --gc-sections can drop unused functions of the C++
library.

GNU ld's default script for 32-bit Windows programs keeps every unwind section,
KEEP(*(.eh_frame*)). An inline or template function, and every function of the
C++ library, carries its unwind entry in a section of its own (".eh_frame$NAME" beside
".text$NAME"), which refers to the function: kept as a root, it keeps the function, so the
linker drops nothing from any library member it pulls in (all of std::string's instantiations,
for example). The linker has no notion of an unwind section belonging to its function, so this
wrapper gives it one in a few links:
  1. the default script, from the driver's linker (the program's link uses none of the
     options that choose another one: -r, -N, -n);
  2. links with that script changed to keep only the unwind sections of functions the
     previous link kept (none at first), until no kept function lacks its unwind section:
     an unwind entry can bring in more code (its exception table names types), so it may
     take more than one round.
The last link writes the program; a function kept without its unwind entry would end the
program at the first exception through it, so the wrapper fails rather than write that.

Used as the link launcher: link_live_unwind.py COMPILER-DRIVER ARGS... (ARGS with -o OUTPUT)
"""
import os
import re
import subprocess
import sys
import tempfile

UNWIND = ".eh_frame"
KEEP_UNWIND = re.compile(r"KEEP\s*\(\*\(\.eh_frame\*\)\)")
ROUNDS = 8
SECTION = re.compile(r"^ (\.[A-Za-z_.]+)\$(\S+)")


def run(command):
    done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    if done.returncode != 0:
        sys.stderr.write(done.stdout + done.stderr)
        sys.exit(done.returncode)
    sys.stderr.write(done.stderr)
    return done.stdout


def default_script(driver):
    linker = run([driver, "-print-prog-name=ld"]).strip()
    text = run([linker, "--verbose"])
    parts = re.split(r"^={50,}$", text, flags=re.MULTILINE)
    if len(parts) != 3:
        sys.exit("link_live_unwind.py: the linker printed no default script")
    return parts[1]


def script_keeping(script, live):
    """The default script with the unwind statement keeping the plain section and those of
    the live functions; one statement, so that the entries stay in the order of the input
    files (crtend.o's terminating entry last)."""
    names = " ".join([UNWIND] + ["%s$%s" % (UNWIND, name) for name in sorted(live)])
    return KEEP_UNWIND.sub(lambda _: "KEEP(*(%s))" % names, script)


def read_map(path):
    """Names of the functions kept (".text...$NAME" sections), of the named unwind sections
    kept and of those in the input."""
    kept_code, kept_unwind, any_unwind = set(), set(), set()
    region = None
    with open(path, errors="replace") as lines:
        for line in lines:
            if line.startswith("Discarded input sections"):
                region = "discarded"
            elif line.startswith("Linker script and memory map"):
                region = "kept"
            match = SECTION.match(line)
            if not match or region is None:
                continue
            kind, name = match.groups()
            if kind == UNWIND:
                any_unwind.add(name)
                if region == "kept":
                    kept_unwind.add(name)
            elif kind.startswith(".text") and region == "kept":
                kept_code.add(name)
    return kept_code, kept_unwind, any_unwind


def main():
    command = sys.argv[1:]
    if "-o" not in command or command.index("-o") + 1 >= len(command):
        sys.exit("link_live_unwind.py: no -o OUTPUT in the link command")
    out_at = command.index("-o") + 1
    output = command[out_at]
    with tempfile.TemporaryDirectory(dir=os.path.dirname(os.path.abspath(output))) as work:
        trial = command[:]
        trial[out_at] = os.path.join(work, "trial.exe")
        base = default_script(command[0])
        if not KEEP_UNWIND.search(base):
            sys.exit("link_live_unwind.py: the default script keeps no unwind section as expected")
        live = set()
        for _ in range(ROUNDS):
            script_path = os.path.join(work, "link.x")
            map_path = os.path.join(work, "link.map")
            with open(script_path, "w") as script:
                script.write(script_keeping(base, live))
            run(trial + ["-Wl,-T," + script_path, "-Wl,-Map," + map_path])
            kept_code, kept_unwind, any_unwind = read_map(map_path)
            missing = (kept_code & any_unwind) - kept_unwind
            if not missing:
                os.replace(trial[out_at], output)
                return
            live |= missing
        sys.exit("link_live_unwind.py: %d functions still without their unwind entries after %d links"
                 % (len(missing), ROUNDS))


if __name__ == "__main__":
    main()
