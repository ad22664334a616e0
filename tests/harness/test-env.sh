#!/usr/bin/env bash
# Runs one test process in a sandbox of its own: fresh XDG folders (the runtime
# folder 0700), the offscreen Qt platform, and with --dbus CONFIG a private
# session bus. Nothing reaches the user's real settings or session bus.
# With --xvfb the test gets an X display of its own instead of the offscreen
# platform: Xvfb (which picks a free display itself) with the openbox window
# manager, stopped when the test ends. Where either is missing the test still
# runs, with QUILLIX_NO_X saying why, so that it can skip with that reason.
set -u
dbus_config=""
xvfb=0
while [ $# -gt 0 ]; do
  case "$1" in
    --dbus) dbus_config=$2; shift 2 ;;
    --xvfb) xvfb=1; shift ;;
    *) break ;;
  esac
done
sandbox=$(mktemp -d "${TMPDIR:-/tmp}/quillix-test.XXXXXX")
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$wm_pid$xvfb_pid" ] && wait 2>/dev/null
  rm -rf "$sandbox"
}
trap cleanup EXIT
trap 'exit 143' TERM INT
mkdir -p "$sandbox/config" "$sandbox/data" "$sandbox/cache" "$sandbox/runtime" "$sandbox/home"
chmod 700 "$sandbox/runtime"
export HOME="$sandbox/home"
export XDG_CONFIG_HOME="$sandbox/config"
export XDG_DATA_HOME="$sandbox/data"
export XDG_CACHE_HOME="$sandbox/cache"
export XDG_RUNTIME_DIR="$sandbox/runtime"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS

# Xvfb writes the display it took to the descriptor once it accepts clients;
# other servers may start at the same time, so no number is guessed here.
start_x() {
  local tool
  for tool in Xvfb openbox; do
    if ! command -v "$tool" >/dev/null; then
      export QUILLIX_NO_X="$tool is not installed (scripts/install-deps.sh installs it)"
      return
    fi
  done
  : >"$sandbox/display"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$sandbox/display" >"$sandbox/xvfb.log" 2>&1 &
  xvfb_pid=$!
  local tries
  for tries in $(seq 400); do  # up to 20 s
    grep -q '[0-9]' "$sandbox/display" && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  if ! grep -q '[0-9]' "$sandbox/display"; then
    echo "Xvfb did not start: $(tail -n 3 "$sandbox/xvfb.log" | tr '\n' ' ')" >&2
    exit 1
  fi
  export DISPLAY=":$(tr -dc '0-9' <"$sandbox/display")"
  export QT_QPA_PLATFORM=xcb
  openbox --sm-disable >"$sandbox/openbox.log" 2>&1 &
  wm_pid=$!
}
[ "$xvfb" = 1 ] && start_x

status=0
if [ -n "$dbus_config" ]; then
  dbus-run-session --config-file="$dbus_config" -- "$@" || status=$?
else
  "$@" || status=$?
fi
exit $status
