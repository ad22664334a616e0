#!/usr/bin/env bash
# Runs a command on a virtual X display with a window manager, as a desktop
# would run it:
#   scripts/on-xvfb.sh [--size WxH] [--shot FILE] COMMAND [ARGS...]
# Starts Xvfb on a display that it picks itself (others may be starting
# servers at the same time) and openbox on it, runs the command with DISPLAY
# set and the xcb Qt platform, then stops both. With --shot FILE the whole
# screen is saved as PNG when the command has ended (for a program that keeps
# running, give it its own way to stop). The command's settings and session
# bus are the caller's: wrap it in tests/harness/test-env.sh-like sandboxes
# when they must not be the user's.
set -euo pipefail

size=1920x1080
shot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --size) size=$2; shift 2 ;;
    --shot) shot=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--size WxH] [--shot FILE] COMMAND [ARGS...]" >&2; exit 2; }
for tool in Xvfb openbox; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh" >&2; exit 2; }
done
if [ -n "$shot" ]; then
  command -v import >/dev/null || { echo "import is missing: run scripts/install-deps.sh --screens" >&2; exit 2; }
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/quillix-xvfb.XXXXXX")
xvfb=""
wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb writes the display it took to the descriptor once it accepts clients.
: >"$work/display"
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 400); do
  grep -q '[0-9]' "$work/display" && break
  kill -0 "$xvfb" 2>/dev/null || break
  sleep 0.05
done
grep -q '[0-9]' "$work/display" || { echo "Xvfb did not start: $(tail -n 3 "$work/xvfb.log")" >&2; exit 2; }
export DISPLAY=":$(tr -dc '0-9' <"$work/display")"

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
# The window manager has taken the screen once it announces itself (a window
# mapped before that is taken over when it starts).
if command -v xprop >/dev/null; then
  for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
  done
fi

status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
if [ -n "$shot" ]; then
  import -window root "$shot"
fi
exit $status
