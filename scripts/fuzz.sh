#!/usr/bin/env bash
# Builds the libFuzzer targets of the four file kinds (config options, window
# settings, saved calculations, the window layout) with clang (ASan, UBSan)
# in build/fuzz and runs each: first over its seeds (the fixtures of that
# kind) and the cases kept in fuzz/corpus/<name>, then for the given number
# of seconds of fuzzing (default 15; 0 replays only).
#   scripts/fuzz.sh            the short run of CI
#   scripts/fuzz.sh 600        ten minutes per target
#   scripts/fuzz.sh 600 saved_calculation
# New inputs go to build/fuzz/corpus/<name>; crashes, leaks and failed
# round trips to build/fuzz/findings/<name> (add them to fuzz/corpus/<name>
# once mended). Exits non-zero when any target found something.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-15}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(config_options window_settings saved_calculation window_state)

build="$root/build/fuzz"
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$root}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLIX_FUZZ=ON \
  -DQUILLIX_BUILD_TESTS=OFF -DQUILLIX_BUILD_BENCH=OFF \
  -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_C_COMPILER=clang-14 "${launcher[@]}" >/dev/null
cmake --build "$build" -j "${FUZZ_JOBS:-$(nproc)}" --target "${targets[@]/%/_fuzzer}"

fixtures="$root/tests/settings/fixtures"
seeds() {
  case $1 in
    config_options) ls "$fixtures"/config_*.xml ;;
    window_settings) ls "$fixtures"/window_*.xml ;;
    saved_calculation) ls "$fixtures"/saved_calculation_*.qxv7 ;;
    window_state) ls "$root"/tests/docking/fixtures/layout-*.ini ;;
  esac
  [ -d "$root/fuzz/corpus/$1" ] && find "$root/fuzz/corpus/$1" -type f
  return 0
}

# The sandbox of the tests: nothing reaches the user's settings.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/harness/lsan.supp:print_suppressions=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for name in "${targets[@]}"; do
  program="$build/fuzz/${name}_fuzzer"
  corpus="$build/corpus/$name"
  findings="$build/findings/$name"
  mkdir -p "$corpus" "$findings"
  echo "== $name: replay of the seeds and the kept cases"
  mapfile -t inputs < <(seeds "$name")
  "$root/tests/harness/test-env.sh" "$program" -runs=0 "${inputs[@]}" || status=1
  [ "$seconds" -gt 0 ] || continue
  echo "== $name: $seconds s of fuzzing"
  cp -n "${inputs[@]}" "$corpus"/ 2>/dev/null || true
  "$root/tests/harness/test-env.sh" "$program" -max_total_time="$seconds" -dict="$root/fuzz/archive.dict" \
    -timeout=20 -rss_limit_mb=4096 -max_len=65536 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" || status=1
done
exit $status
