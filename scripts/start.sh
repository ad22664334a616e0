#!/usr/bin/env bash
# Starts the calculator: installs what is missing, builds, and runs kelvo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build/release" -j "$(nproc)"
kelvo="$root/build/release/bin/kelvo"
if [ ! -x "$kelvo" ]; then
  echo "Built everything that exists; the calculator window (kelvo) is not part of the build yet."
  exit 0
fi
# kelvo finds its worker program through the user's registration.
ergasto="$root/build/release/bin/Ergasto"
if [ -x "$ergasto" ]; then
  "$ergasto" -RegServer
fi
exec "$kelvo" "$@"
