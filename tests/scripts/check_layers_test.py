#!/usr/bin/env python3
"""The layer check over small trees: what it refuses and what it lets pass.

  tests/scripts/check_layers_test.py
"""
import importlib.util
import os
import subprocess
import sys
import tempfile
import unittest

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts", "check-layers.py")
spec = importlib.util.spec_from_file_location("check_layers", SCRIPT)
check_layers = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check_layers)

# A sound tree: every Qt-free library of the check declared (frame_core with a source), a widget
# beside it that uses Qt, Qt in the Qt sub-folders, and a standard header whose name starts with q.
SOUND = {
    "shell/CMakeLists.txt": "".join(f"add_library({lib} STATIC)\n" for lib in
                                    sorted(check_layers.QT_FREE_LIBRARIES - {"frame_core"})),
    "shell/frame/CMakeLists.txt": "add_library(frame_core STATIC\n  Controller.cpp\n)\n"
                                  "add_library(frame STATIC MainFrame.cpp)\n",
    "shell/frame/Controller.cpp": '#include "engine/Engine.h"\n#include "settings/Record.h"\n',
    "shell/frame/MainFrame.cpp": '#include "shell/frame/Controller.h"\n#include <QWidget>\n',
    "settings/Record.h": "#include <string>\n",
    "settings/File.cpp": '#include "settings/Record.h"\n#include <QFile>\n',
    "engine/Engine.h": '#include "port/Status.h"\n#include <queue>\n',
    "port/Status.h": "#include <cstdint>\n",
    "worker/server/Server.cpp": "#include <QDBusConnection>\n",
    "platform/qt/Beep.cpp": "#include <QApplication>\n",
}


def run(changes):
    """(exit code, output) of the check over SOUND with changes (path -> text, None removes)."""
    files = {**SOUND, **changes}
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            if text is None:
                continue
            os.makedirs(os.path.dirname(os.path.join(root, path)), exist_ok=True)
            with open(os.path.join(root, path), "w", encoding="utf-8") as f:
                f.write(text)
        done = subprocess.run([sys.executable, SCRIPT, root], capture_output=True, text=True)
        return done.returncode, done.stdout


class CheckLayers(unittest.TestCase):
    def test_a_sound_tree_passes(self):
        self.assertEqual(run({}), (0, ""))

    def test_what_is_refused(self):
        cases = [
            ("an include that runs upward",
             {"engine/Engine.h": '#include "shell/frame/Controller.h"\n'},
             "engine -> shell: engine/Engine.h"),
            ("a Qt header in a Qt-free folder",
             {"port/Status.h": "#include <QtCore/QString>\n"},
             "port/Status.h: Qt header <QtCore/QString> in Qt-free code"),
            ("a Qt header in a Qt-free library of a mixed folder",
             {"shell/frame/Controller.cpp": "#include <qglobal.h>\n"},
             "shell/frame/Controller.cpp: Qt header <qglobal.h> in Qt-free code"),
            ("a Qt header reached through a header of a folder that may use Qt",
             {"settings/Record.h": "#include <QString>\n"},
             "settings/Record.h: Qt header <QString> in Qt-free code (included as "
             "shell/frame/Controller.cpp -> settings/Record.h)"),
            ("a Qt-free library that is no longer declared",
             {"shell/frame/CMakeLists.txt": "add_library(frame STATIC MainFrame.cpp)\n"},
             "frame_core: no add_library of this Qt-free library in a CMakeLists.txt"),
            ("a listed source that is not there",
             {"shell/frame/Controller.cpp": None},
             "shell/frame/Controller.cpp: listed in a CMakeLists.txt, not found"),
        ]
        for what, changes, expected in cases:
            with self.subTest(what):
                code, output = run(changes)
                self.assertEqual(code, 1)
                self.assertIn("layer break: " + expected + "\n", output)


if __name__ == "__main__":
    unittest.main()
