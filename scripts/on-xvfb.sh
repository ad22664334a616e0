#!/usr/bin/env bash
# Runs a command on a virtual X display with a window manager, as a desktop
# would run it:
#   scripts/on-xvfb.sh [--size WxH] [--shot FILE] COMMAND [ARGS...]
# Starts Xvfb on a free display and openbox on it, runs the command with
# DISPLAY set and the xcb Qt platform, then stops both. With --shot FILE the
# whole screen is saved as PNG when the command has ended (for a program that
# keeps running, give it its own way to stop). The command's settings and
# session bus are the caller's: wrap it in tests/harness/test-env.sh-like
# sandboxes when they must not be the user's.
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
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh --screens" >&2; exit 2; }
done

display=""
for n in $(seq 90 140); do
  if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
    display=":$n"
    break
  fi
done
[ -n "$display" ] || { echo "no free X display between :90 and :140" >&2; exit 2; }

Xvfb "$display" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
wm=""
cleanup() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap cleanup EXIT

export DISPLAY=$display
for _ in $(seq 50); do
  [ -e "/tmp/.X11-unix/X${display#:}" ] && break
  sleep 0.1
done
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

status=0
QT_QPA_PLATFORM=xcb "$@" || status=$?
if [ -n "$shot" ]; then
  import -window root "$shot"
fi
exit $status
