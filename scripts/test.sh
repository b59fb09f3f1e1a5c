#!/usr/bin/env bash
# Installs what is missing, then runs every check, and fails when any of them fails:
# - everything built with every warning an error, and all tests run;
# - the golden numbers, bit for bit, without FMA, on aarch64 and in WebAssembly;
# - the Debian package made from that build and checked;
# - all tests again under AddressSanitizer and UndefinedBehaviorSanitizer;
# - the kept fuzz findings and a short fuzzing run of each target;
# - clang-format and clang-tidy, run beside the fuzzers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh -DQUORVANE_WERROR=ON
(cd build && ctest --output-on-failure --timeout 300 -j "$(nproc)")
bash scripts/golden.sh
bash scripts/package.sh build
bash scripts/check-package.sh
bash scripts/test-sanitized.sh

# Each fuzzer runs on one core: the style and static checks take the other meanwhile.
mkdir -p build/lint
bash scripts/lint.sh >build/lint/lint.log 2>&1 &
lint=$!
fuzzed=0
bash scripts/fuzz.sh "${QUORVANE_FUZZ_SECONDS:-30}" || fuzzed=$?
linted=0
wait "${lint}" || linted=$?
cat build/lint/lint.log
if [ "${fuzzed}" -ne 0 ] || [ "${linted}" -ne 0 ]; then
  echo "fuzzing exited with ${fuzzed}, the style and static checks with ${linted}" >&2
  exit 1
fi
