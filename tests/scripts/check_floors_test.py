#!/usr/bin/env python3
"""The floor check against small trees with one planted fault each."""
import pathlib
import subprocess
import sys
import tempfile
import unittest

CHECK = pathlib.Path(__file__).resolve().parents[2] / "scripts" / "check_floors.py"
FLOORS = "# ground first\nplatform\nsettings\napp\n"
README = "| folder | what |\n|---|---|\n| `src/app` | a |\n| `src/settings` | s |\n| `src/platform` | p |\n"


def run_check(files, floors=FLOORS, readme=README):
    with tempfile.TemporaryDirectory() as root:
        base = pathlib.Path(root)
        for name in ("platform", "settings", "app"):
            (base / "src" / name).mkdir(parents=True)
        (base / "src" / "floors.txt").write_text(floors)
        (base / "README.md").write_text(readme)
        for path, text in files.items():
            (base / path).parent.mkdir(parents=True, exist_ok=True)
            (base / path).write_text(text)
        done = subprocess.run([sys.executable, str(CHECK), root], capture_output=True, text=True)
        return done.returncode, done.stderr


class FloorCheck(unittest.TestCase):
    def test_includes_from_own_floor_and_below_pass(self):
        code, err = run_check({
            "src/app/main.cpp": '#include "app/main.h"\n#include "settings/store.h"\n#include "platform/file.h"\n',
            "src/settings/store.h": '#include <string>\n#include "platform/file.h"\n',
            "src/platform/file.h": '#include "resource.h"\n',
        })
        self.assertEqual((code, err), (0, ""))

    def test_each_fault_fails_and_is_named(self):
        cases = [
            ({"src/platform/file.cpp": '#include "app/main.h"\n'}, FLOORS, README,
             'src/platform/file.cpp:1: platform includes "app/", a floor above it'),
            ({"src/settings/store.h": '\n  #  include "app/x.h"\n'}, FLOORS, README,
             'src/settings/store.h:2: settings includes "app/", a floor above it'),
            ({"src/app/ui.rc": '#include "nowhere/x.h"\n'}, FLOORS, README,
             'includes "nowhere/", which is not a floor'),
            ({"src/extra/x.h": ""}, FLOORS, README, "src/extra: not a floor"),
            ({}, FLOORS, README.replace("`src/app`", "`src/tmp`"), "README.md layout table"),
            ({}, "platform\napp\nsettings\n", README, "README.md layout table"),
        ]
        for files, floors, readme, expected in cases:
            with self.subTest(expected=expected):
                code, err = run_check(files, floors, readme)
                self.assertEqual(code, 1)
                self.assertIn(expected, err)


if __name__ == "__main__":
    unittest.main()
