#!/usr/bin/env python3
"""Checks that each source folder includes only the folders below it.

  scripts/check-layers.py [ROOT]           check; exit 1 on an include that runs upward
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
    "panes": {"number", "port", "engine", "settings", "keypad", "platform", "resources"},
    "docking": {"platform"},
    "shell": {"number", "port", "engine", "worker", "ipc", "settings", "keypad", "panes",
              "docking", "platform", "resources"},
}
UNREAD = {"tests", "bench", "fuzz", "build", "scripts", "cmake", ".git", ".ci"}
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
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
