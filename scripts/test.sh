#!/usr/bin/env bash
# Runs every test: installs what is missing, builds the Release build (with
# assertions) and an ASan+UBSan build of the tests, and runs both through ctest
# (the Release build's test programs also each run whole once);
# then builds the fuzz targets and gives each a short run (scripts/fuzz.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"

jobs=$(nproc)
build() {  # build <dir> <extra cmake args...>
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja -DQUILLIX_WERROR=ON "$@"
  cmake --build "$dir" -j "$jobs"
}

# The Release build also runs each test program whole, once (WholeProgram.*),
# besides one process per test.
build "$root/build/release" -DCMAKE_BUILD_TYPE=Release -DQUILLIX_TEST_WHOLE_PROGRAMS=ON
build "$root/build/sanitize" -DCMAKE_BUILD_TYPE=Debug -DQUILLIX_SANITIZE=ON -DQUILLIX_BUILD_BENCH=OFF

# ThreadSanitizer build of the threaded tests only: the engine and worker suites
# (named "Engine..." and "Worker...", the worker program through a private bus
# among them) and the record window fed from another thread. Qt, GLib and
# libdbus are not built with it: tsan.supp keeps their insides out of the reports.
tsan_targets=(engine_record_test engine_calc_test worker_exec_test worker_server_unit_tests worker_server_inprocess_tests
  panes_core_tests panes_widget_tests ipc_bus_tests)
tsan_tests='^(Engine|Worker|CalcRecordFeed\.|RecordWindowThreading\.)'
cmake -S "$root" -B "$root/build/tsan" -G Ninja -DQUILLIX_WERROR=ON -DCMAKE_BUILD_TYPE=Debug \
  -DQUILLIX_SANITIZE_THREAD=ON -DQUILLIX_BUILD_BENCH=OFF
cmake --build "$root/build/tsan" -j "$jobs" --target "${tsan_targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/tests/harness/lsan.supp:print_suppressions=0}
# Calls into the sanitizer's interceptors made by libraries it did not build
# (Qt, GLib, libdbus, libsystemd) are not checked: it cannot see their own
# locking, and reporting QtDBus's destroying of its wait conditions made
# ThreadSanitizer itself fail (CHECK failed). Our code is checked in full.
export TSAN_OPTIONS=${TSAN_OPTIONS:-suppressions=$root/tests/harness/tsan.supp:ignore_noninstrumented_modules=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

status=0
for dir in release sanitize; do
  echo "== tests: $dir build"
  ctest --test-dir "$root/build/$dir" --output-on-failure --no-tests=error -j "$jobs" || status=1
done
echo "== tests: tsan build (threaded tests)"
ctest --test-dir "$root/build/tsan" --output-on-failure --no-tests=error -j "$jobs" -R "$tsan_tests" || status=1
# The file readers' fuzz targets (clang): their corpora replayed, then a short
# fixed-time run of each (about a minute in all).
echo "== fuzz targets"
"$root/scripts/fuzz.sh" 15 || status=1
exit $status
