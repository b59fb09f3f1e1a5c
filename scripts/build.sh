#!/usr/bin/env bash
# Configures and builds everything (program, tests, benchmarks) into ./build. Arguments are
# passed on to CMake's configure step, e.g. -DQUORVANE_WERROR=ON.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release "$@"
cmake --build build --parallel "$(nproc)"
