#!/usr/bin/env python3
"""Checks that each source folder includes only the folders below it, and that Qt-free code
includes no Qt header.

  scripts/check-layers.py [ROOT]           check; exit 1 on an include that runs upward or a Qt
                                           header in Qt-free code
  scripts/check-layers.py --graph [ROOT]   print the folder-level include graph and check

Includes are read as written ("folder/.../File.h", from the tree's root); tests/, bench/ and fuzz/
may include everything and are not read.  The table below is the layer picture of README.md;
DOCKING_LAYERS orders the folders inside docking/.
"""
import os
import re
import sys

# folder -> folders it may include (besides itself)
ALLOWED = {
    "number": set(),
    "platform": set(),
    "resources": set(),
    "port": {"number"},
    "engine": {"number", "port", "platform"},
    "ipc": {"number", "port", "platform"},
    "worker": {"number", "port", "ipc", "platform"},
    "settings": {"number", "platform", "resources"},
    "keypad": {"number", "port", "engine", "settings", "platform", "resources"},
    "panes": {"number", "port", "engine", "settings", "platform", "resources"},
    "docking": {"platform"},
    "shell": {"number", "port", "engine", "worker", "ipc", "settings", "keypad", "panes",
              "docking", "platform", "resources"},
}
UNREAD = {"tests", "bench", "fuzz", "build", "scripts", "cmake", ".git", ".ci"}

# Qt-free code: every file in these folders (not in the sub-folders that use Qt), and the sources of
# these libraries of mixed folders (as their add_library lists them in a CMakeLists.txt), include no
# Qt header, neither directly nor through the project's headers they include.
QT_FREE_FOLDERS = {"number", "port", "engine", "worker", "platform", "resources", "docking/core"}
QT_SUBFOLDERS = {"worker/server", "platform/qt"}  # sub-folders of those that use Qt
QT_FREE_LIBRARIES = {"numbertext", "panes_core", "frame_core", "shell_menus_core",
                     "shell_calculation_archive", "color_schemes", "docking_core"}

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
QT_INCLUDE = re.compile(r'^\s*#\s*include\s*<((?:Q\w*|q\w+\.h)(?:/[^>]*)?)>')
ADD_LIBRARY = re.compile(r'add_library\(\s*(\w+)\s+STATIC\b([^)]*)\)')
SOURCE = (".h", ".hpp", ".cpp", ".cc", ".inl")


def folder_includes(root):
    """{(from, to): [file that includes, ...]} for includes between top-level folders."""
    folders = {d for d in os.listdir(root) if os.path.isdir(os.path.join(root, d))}
    edges = {}
    for top in sorted(folders - UNREAD):
        for path, included in quoted_includes(root, top):
            target = included.split("/", 1)[0]
            if "/" in included and target in folders and target != top:
                edges.setdefault((top, target), []).append(path)
    return edges


def source_files(root, folder):
    """The source files below root/folder, as paths from root."""
    for base, _, files in os.walk(os.path.join(root, folder)):
        for name in sorted(files):
            if name.endswith(SOURCE):
                yield os.path.relpath(os.path.join(base, name), root)


def qt_free_files(root):
    """The files of Qt-free code, and the libraries of QT_FREE_LIBRARIES not found."""
    files = set()
    for folder in QT_FREE_FOLDERS:
        files.update(f for f in source_files(root, folder)
                     if not any(f.startswith(q + os.sep) for q in QT_SUBFOLDERS))
    missing = set(QT_FREE_LIBRARIES)
    for top in sorted(os.listdir(root)):
        if top in UNREAD or not os.path.isdir(os.path.join(root, top)):
            continue
        for base, _, names in os.walk(os.path.join(root, top)):
            if "CMakeLists.txt" not in names:
                continue
            with open(os.path.join(base, "CMakeLists.txt"), encoding="utf-8") as f:
                for m in ADD_LIBRARY.finditer(f.read()):
                    if m.group(1) in missing:
                        missing.discard(m.group(1))
                        for source in m.group(2).split():
                            for folder_variable in ("${CMAKE_CURRENT_SOURCE_DIR}/", "${CMAKE_CURRENT_LIST_DIR}/"):
                                source = source.removeprefix(folder_variable)
                            files.add(os.path.relpath(os.path.join(base, source), root))
    return files, missing


def qt_includes(root, path, memo):
    """[(chain of files, Qt header)] that path reaches through the project's own headers."""
    if path in memo:
        return memo[path]
    memo[path] = []  # a cycle of includes adds nothing
    found = []
    full = os.path.join(root, path)
    if os.path.isfile(full):
        with open(full, encoding="utf-8", errors="replace") as f:
            for line in f:
                m = QT_INCLUDE.match(line)
                if m:
                    found.append(([path], m.group(1)))
                    continue
                m = INCLUDE.match(line)
                if m and os.path.isfile(os.path.join(root, m.group(1))):
                    found += [([path] + chain, header) for chain, header in qt_includes(root, m.group(1), memo)]
    memo[path] = found
    return found


def qt_breaks(root):
    """Messages for each file of Qt-free code that reaches a Qt header."""
    files, missing = qt_free_files(root)
    bad = [f"{lib}: no add_library of this Qt-free library in a CMakeLists.txt" for lib in sorted(missing)]
    bad += [f"{path}: listed in a CMakeLists.txt, not found" for path in sorted(files)
            if not os.path.isfile(os.path.join(root, path))]
    memo = {}
    reached = {}  # (file holding the include, Qt header) -> the shortest chain from Qt-free code to it
    for path in sorted(files):
        for chain, header in qt_includes(root, path, memo):
            key = (chain[-1], header)
            if key not in reached or len(chain) < len(reached[key]):
                reached[key] = chain
    for (holder, header), chain in sorted(reached.items()):
        through = f" (included as {' -> '.join(chain)})" if len(chain) > 1 else ""
        bad.append(f"{holder}: Qt header <{header}> in Qt-free code{through}")
    return bad


def main(argv):
    graph = "--graph" in argv
    args = [a for a in argv if a != "--graph"]
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    edges = folder_includes(root)
    if graph:
        for (a, b), files in sorted(edges.items()):
            print(f"{a} -> {b} ({len(files)})")
    inner = docking_includes(root)
    if graph:
        for (a, b), files in sorted(inner.items()):
            print(f"{a} -> {b} ({len(files)})")
    bad = docking_breaks(inner)
    for (a, b), files in sorted(edges.items()):
        if a not in ALLOWED:
            bad.append(f"{a}/ is not in the layer table (scripts/check-layers.py)")
        elif b not in ALLOWED[a]:
            bad.append(f"{a} -> {b}: {', '.join(sorted(set(files)))}")
    for a, b in sorted(edges):
        if a < b and (b, a) in edges:
            bad.append(f"{a} <-> {b}: the two folders include each other")
    bad += qt_breaks(root)
    for line in bad:
        print("layer break:", line)
    return 1 if bad else 0


# Inside docking/: the Qt-free core under the widgets, and the window-state
# managers over both (they move the frame's windows to store and restore
# them). Folder -> folders of docking/ it may include (besides itself).
DOCKING_LAYERS = {
    "docking/core": set(),
    "docking": {"docking/core"},
    "docking/state": {"docking", "docking/core"},
}


def quoted_includes(root, folder):
    """(file, include as written) for each quoted include of the source files below root/folder."""
    for base, _, files in os.walk(os.path.join(root, folder)):
        for name in files:
            if not name.endswith(SOURCE):
                continue
            path = os.path.join(base, name)
            with open(path, encoding="utf-8", errors="replace") as f:
                for line in f:
                    m = INCLUDE.match(line)
                    if m:
                        yield os.path.relpath(path, root), m.group(1)


def docking_includes(root):
    """{(from, to): [file that includes, ...]} between the folders of docking/."""
    edges = {}
    for path, included in quoted_includes(root, "docking"):
        here, there = os.path.dirname(path), os.path.dirname(included)
        if included.startswith("docking/") and there != here:
            edges.setdefault((here, there), []).append(path)
    return edges


def docking_breaks(edges):
    """Messages for the includes inside docking/ that run against DOCKING_LAYERS."""
    bad = []
    for (a, b), files in sorted(edges.items()):
        if a not in DOCKING_LAYERS:
            bad.append(f"{a}/ is not in the docking layer table (scripts/check-layers.py)")
        elif b not in DOCKING_LAYERS[a]:
            bad.append(f"{a} -> {b}: {', '.join(sorted(set(files)))}")
    return bad


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
