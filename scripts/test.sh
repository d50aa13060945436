#!/usr/bin/env bash
# Sets the machine up, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs all tests. Exits non-zero on a failure.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
source "$root/scripts/setup.sh"
cv_install_packages

build="${CV_TEST_BUILD_DIR:-$root/build-test}"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCV_SANITIZE=ON \
  -DCV_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j 2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
cd "$build"
ctest -j 2 --output-on-failure --timeout 300
