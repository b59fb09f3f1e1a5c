#!/usr/bin/env bash
# Runs every test built with AddressSanitizer and UndefinedBehaviorSanitizer. Any report (memory
# error, leak, undefined behaviour, a double cast to an integer it does not fit) aborts the test
# that hit it, so the run fails. Two builds share the work:
#   ./build-fuzz      the core and its tests, by clang with Qt absent, which proves the core
#                     needs none (scripts/fuzz.sh fuzzes from the same build);
#   ./build-sanitize  the desktop and its tests, by the default compiler.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/check-core.sh
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"

# build-and-test DIR: builds everything configured in DIR and runs its tests.
build_and_test() {
  cmake --build "$1" --parallel "$(nproc)"
  (cd "$1" && ctest --output-on-failure --timeout 600 -j "$(nproc)")
}

bash scripts/configure-core-sanitized.sh
build_and_test build-fuzz

# -O1 and line tables only, as for the core above.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" -DQUORVANE_SANITIZE=ON -DQUORVANE_BUILD_BENCH=OFF \
  -DQUORVANE_TEST_CORE=OFF
build_and_test build-sanitize
