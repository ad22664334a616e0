#!/usr/bin/env bash
# Runs one test process on a virtual X display of its own with a window
# manager (openbox, no compositor), as a desktop would run it:
#   tests/harness/xvfb-session.sh COMMAND [ARGS...]
# Xvfb picks a free display itself (-displayfd), so any number of these may run
# at once. The command runs with DISPLAY set and the xcb Qt platform; Xvfb and
# openbox are stopped when it ends. Run it inside tests/harness/test-env.sh, so
# that openbox's settings and the command's are the sandbox's.
#
# When Xvfb or openbox is missing, or the display does not come up, the
# command still runs, without DISPLAY and with QUILLIX_NO_DISPLAY_REASON
# saying why: a test that needs X skips with that reason.
set -u

work=$(mktemp -d "${TMPDIR:-/tmp}/quillix-xvfb.XXXXXX")
xvfb=""
wm=""
stop_display() {
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  wm=""
  xvfb=""
}
trap 'stop_display; rm -rf "$work"' EXIT

# Waits up to 10 s for the command "$@" to succeed.
wait_for() {
  for _ in $(seq 200); do
    "$@" && return 0
    sleep 0.05
  done
  return 1
}

reason=""
start_display() {
  for tool in Xvfb openbox; do
    command -v "$tool" >/dev/null || { reason="$tool is not installed (scripts/install-deps.sh)"; return 1; }
  done
  # Xvfb writes the display number to fd 3 once it takes connections.
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  wait_for grep -q . "$work/display" || { reason="Xvfb did not start: $(tail -n 3 "$work/xvfb.log")"; return 1; }
  export DISPLAY=":$(head -n 1 "$work/display")"
  # openbox runs its start-up command once it manages the screen.
  openbox --sm-disable --startup "touch $work/wm-ready" >"$work/openbox.log" 2>&1 &
  wm=$!
  wait_for test -e "$work/wm-ready" || { reason="openbox did not start: $(tail -n 3 "$work/openbox.log")"; return 1; }
}

if start_display; then
  QT_QPA_PLATFORM=xcb "$@"
else
  stop_display
  echo "xvfb-session: $reason" >&2
  unset DISPLAY
  QUILLIX_NO_DISPLAY_REASON=$reason "$@"
fi
status=$?
exit $status
