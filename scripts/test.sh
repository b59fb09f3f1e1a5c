#!/usr/bin/env bash
# Installs what is missing, then runs every check: all tests in the normal build, the Debian
# package built and checked, all tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, the kept fuzz findings and a short fuzzing run of each target.
# Fails when any of them fails.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh
(cd build && ctest --output-on-failure --timeout 300)
bash scripts/package.sh
bash scripts/check-package.sh
bash scripts/test-sanitized.sh
bash scripts/fuzz.sh "${QUORVANE_FUZZ_SECONDS:-30}"
