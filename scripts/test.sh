#!/usr/bin/env bash
# Installs what is missing, then runs every check, and fails when any of them fails:
# - everything built with every warning an error, and all tests run;
# - the golden numbers, bit for bit, without FMA, on aarch64 and in WebAssembly;
# - the Debian package made from that build and checked;
# - all tests again under AddressSanitizer and UndefinedBehaviorSanitizer, the core's in a build
#   with Qt absent;
# - the kept fuzz findings and a short fuzzing run of each target;
# - the browser edition built (scripts/web.sh) and its tests run in headless chromium;
# - clang-format and clang-tidy.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DQUORVANE_WERROR=ON

# The style and static checks need only the build's compile commands. They run from here on
# beside every other step at a low priority, so they take the time the other steps leave a core
# idle (single-threaded tests, emulated runs, packaging) instead of running at the end.
mkdir -p build/lint
nice -n 10 bash scripts/lint.sh >build/lint/lint.log 2>&1 &
lint=$!
# The browser edition builds beside the tests too, one job at a time, so that the WebAssembly
# compile fills the gaps of the single-threaded steps that follow. Its tests run last, on a quiet
# machine: they time the page against the native core and read the renderer's CPU.
QUORVANE_JOBS=1 nice -n 5 bash scripts/web.sh build >build/web-build.log 2>&1 &
web=$!
trap 'kill "${lint}" "${web}" 2>/dev/null || true' EXIT

# wasm_numbers compares the WebAssembly build with the native one: it runs once that is built.
(cd build && ctest --output-on-failure --timeout 300 -j "$(nproc)" -E '^wasm_numbers$')
bash scripts/golden.sh
bash scripts/package.sh build
bash scripts/check-package.sh
built=0
wait "${web}" || built=$?
cat build/web-build.log
if [ "${built}" -ne 0 ]; then
  echo "the browser edition's build exited with ${built}" >&2
  exit 1
fi
(cd build && ctest --output-on-failure --timeout 300 -R '^wasm_numbers$' --no-tests=error)
bash scripts/test-sanitized.sh
bash scripts/fuzz.sh "${QUORVANE_FUZZ_SECONDS:-30}"

linted=0
wait "${lint}" || linted=$?
trap - EXIT
cat build/lint/lint.log
if [ "${linted}" -ne 0 ]; then
  echo "the style and static checks exited with ${linted}" >&2
  exit 1
fi

bash scripts/web.sh test
