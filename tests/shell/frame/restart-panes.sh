#!/usr/bin/env bash
# The restart test of the panes: pane_layout arranges a layout in the main
# window and stores it, kelvo runs twice on it (each run restores the state
# and, ended as a desktop ends it, stores it again), and a restore of what
# kelvo stored last must give every pane the rectangle it had when arranged.
# Run by ctest inside tests/harness/test-env.sh with a private bus:
#   restart-panes.sh PANE_LAYOUT KELVO ERGASTO LAYOUT EXPECTED...
# Each EXPECTED (an extended regular expression) must match one of the
# arranged rectangles whole.
set -u
tool=$1 kelvo=$2 ergasto=$3 layout=$4
shift 4
work=$(mktemp -d "${TMPDIR:-/tmp}/quillix-restart.XXXXXX")
trap 'rm -rf "$work"' EXIT
socket="$XDG_RUNTIME_DIR/0wi9akp_SksiieKsiasjalu0_383.socket"
# One screen of a desktop's size (the offscreen platform's own is 800 x 600,
# which a restored window would be fitted into).
cat > "$work/screens.json" <<'JSON'
{"windowFrameMargins": false, "screens": [{"name": "main", "x": 0, "y": 0, "width": 1920, "height": 1080,
 "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]}
JSON
export QT_QPA_PLATFORM="offscreen:configfile=$work/screens.json"

"$ergasto" -RegServer > /dev/null 2>&1 || { echo "could not register the worker"; exit 1; }
"$tool" arrange "$layout" > "$work/arranged" || { echo "could not arrange $layout"; exit 1; }
for expected in "$@"; do
  grep -qxE "$expected" "$work/arranged" || { echo "arranged, no line '$expected':"; cat "$work/arranged"; exit 1; }
done
for run in 1 2; do
  "$kelvo" > "$work/kelvo$run.log" 2>&1 &
  pid=$!
  # Up once it listens for a second start; a termination request then closes it.
  for _ in $(seq 600); do
    [ -S "$socket" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [ -S "$socket" ] || { echo "kelvo run $run did not come up:"; cat "$work/kelvo$run.log"; exit 1; }
  kill -TERM "$pid"
  wait "$pid"
  status=$?
  # 1 is kelvo's normal end.
  [ "$status" -eq 1 ] || { echo "kelvo run $run ended with $status:"; cat "$work/kelvo$run.log"; exit 1; }
done
"$tool" measure > "$work/measured" || { echo "could not restore $layout"; exit 1; }
if ! diff -u "$work/arranged" "$work/measured"; then
  echo "$layout: the panes did not come back where they were after two restarts"
  exit 1
fi
echo "$layout: $(wc -l < "$work/arranged") rectangles back after two restarts"
