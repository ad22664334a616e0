#!/usr/bin/env bash
# Runs one test process in a sandbox of its own: fresh XDG folders (the runtime
# folder 0700), the offscreen Qt platform, and with --dbus CONFIG a private
# session bus. Nothing reaches the user's real settings or session bus.
set -u
dbus_config=""
if [ "${1:-}" = "--dbus" ]; then
  dbus_config=$2
  shift 2
fi
sandbox=$(mktemp -d "${TMPDIR:-/tmp}/quillix-test.XXXXXX")
trap 'rm -rf "$sandbox"' EXIT
mkdir -p "$sandbox/config" "$sandbox/data" "$sandbox/cache" "$sandbox/runtime" "$sandbox/home"
chmod 700 "$sandbox/runtime"
export HOME="$sandbox/home"
export XDG_CONFIG_HOME="$sandbox/config"
export XDG_DATA_HOME="$sandbox/data"
export XDG_CACHE_HOME="$sandbox/cache"
export XDG_RUNTIME_DIR="$sandbox/runtime"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS
if [ -n "$dbus_config" ]; then
  dbus-run-session --config-file="$dbus_config" -- "$@"
else
  "$@"
fi
