#!/usr/bin/env bash
# Starts the calculator: installs what is missing, builds the two programs,
# registers the worker program Ergasto for this user and runs kelvo. The tests
# and benchmarks are built by scripts/test.sh.
#
# What is already done is not done again: the package check runs until it
# has passed once (and again after install-deps.sh changes), the build folder
# is configured once (ninja configures again by itself when a CMakeLists.txt
# changes), and a build with nothing to do takes a moment.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/release"
deps_stamp="$build/.packages-checked"

if [ ! -f "$deps_stamp" ] || [ "$root/scripts/install-deps.sh" -nt "$deps_stamp" ]; then
  "$root/scripts/install-deps.sh"
  mkdir -p "$build"
  touch "$deps_stamp"
fi
if [ ! -f "$build/build.ninja" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" -j "$(nproc)" --target kelvo Ergasto
bin="$build/bin"

# kelvo finds its worker program through the user's registration; the session
# bus starts it on demand.
"$bin/Ergasto" -RegServer

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No graphical display (DISPLAY or WAYLAND_DISPLAY) is set: kelvo needs a desktop session." >&2
  exit 1
fi
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ ! -S "${XDG_RUNTIME_DIR:-/nonexistent}/bus" ]; then
  # No session bus in this login (for example a bare X server): bring one up
  # for the calculator's lifetime. -RegServer wrote the activation file below
  # the data folder of $HOME; the bus would look below the account's home
  # folder, which differs when HOME was changed, so it is told the folder.
  if [ -z "${XDG_DATA_HOME:-}" ] || [ "${XDG_DATA_HOME#/}" = "$XDG_DATA_HOME" ]; then
    export XDG_DATA_HOME="$HOME/.local/share"
  fi
  exec dbus-run-session -- "$bin/kelvo" "$@"
fi
exec "$bin/kelvo" "$@"
