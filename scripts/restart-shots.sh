#!/usr/bin/env bash
# Runs kelvo twice per window layout and compares the screens: does a layout
# come back as it was closed? Needs a display with a window manager, so run it
# through scripts/on-xvfb.sh, after a build of build/release:
#   scripts/on-xvfb.sh scripts/restart-shots.sh OUT_FOLDER [LAYOUT...]
# Each layout is arranged and stored by tools/state_screenshot (see there for
# the names; all of them by default) in a sandbox of its own; kelvo then runs,
# the screen is saved as LAYOUT-run1.png, kelvo is asked to end (SIGTERM,
# which stores the state again) and runs once more for LAYOUT-run2.png.
# Prints the number of pixels that differ between the two runs.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/release
[ $# -ge 1 ] || { echo "usage: $0 OUT_FOLDER [LAYOUT...]" >&2; exit 2; }
out=$1
shift
layouts=("$@")
[ ${#layouts[@]} -gt 0 ] || layouts=(created variables-front left-right floating box-floating pinned-right
                                     history-hidden bars-hidden maximised)
for tool in import compare dbus-run-session; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh --screens" >&2; exit 2; }
done
mkdir -p "$out"
status=0
for layout in "${layouts[@]}"; do
  sandbox=$(mktemp -d "${TMPDIR:-/tmp}/quillix-shots.XXXXXX")
  mkdir -p "$sandbox/config/Vornel" "$sandbox/data" "$sandbox/home" "$sandbox/runtime"
  chmod 700 "$sandbox/runtime"
  export HOME=$sandbox/home XDG_CONFIG_HOME=$sandbox/config XDG_DATA_HOME=$sandbox/data XDG_RUNTIME_DIR=$sandbox/runtime
  "$build/tools/state_screenshot" "$sandbox/config/Vornel/Calculator.ini" "$out/$layout-arranged.png" "$layout" \
    >/dev/null 2>&1 || { echo "$layout: could not arrange it" >&2; status=1; rm -rf "$sandbox"; continue; }
  "$build/bin/Ergasto" -RegServer >/dev/null 2>&1
  for run in 1 2; do
    dbus-run-session -- bash -c '"$1" & k=$!; sleep 4; import -window root "$2"; kill -TERM $k; wait $k' \
      _ "$build/bin/kelvo" "$out/$layout-run$run.png" >/dev/null 2>&1
  done
  echo "$layout: $(compare -metric AE "$out/$layout-run1.png" "$out/$layout-run2.png" null: 2>&1) pixels differ"
  rm -rf "$sandbox"
done
exit $status
