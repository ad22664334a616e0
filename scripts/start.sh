#!/usr/bin/env bash
# Starts the calculator: installs what is missing, builds, registers the worker
# program Ergasto for this user and runs kelvo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build/release" -j "$(nproc)"
bin="$root/build/release/bin"

# kelvo finds its worker program through the user's registration; the session
# bus starts it on demand.
"$bin/Ergasto" -RegServer

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No graphical display (DISPLAY or WAYLAND_DISPLAY) is set: kelvo needs a desktop session." >&2
  exit 1
fi
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ ! -S "${XDG_RUNTIME_DIR:-/nonexistent}/bus" ]; then
  # No session bus in this login (for example a bare X server): bring one up
  # for the calculator's lifetime.
  exec dbus-run-session -- "$bin/kelvo" "$@"
fi
exec "$bin/kelvo" "$@"
