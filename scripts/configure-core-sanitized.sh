#!/usr/bin/env bash
# Configures ./build-fuzz: the core with its tests and the fuzz targets, built by clang with
# AddressSanitizer, UndefinedBehaviorSanitizer and the fuzzer's coverage instrumentation, and
# with Qt absent, which proves that the core needs none. scripts/test-sanitized.sh runs the
# core's tests there and scripts/fuzz.sh fuzzes from the same build.
set -euo pipefail
cd "$(dirname "$0")/.."
# -O1 and line tables only: the instrumented build takes a third less time than at -O2 with full
# debug information, and reports still name file and line.
CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO=-O1 -g1" -DQUORVANE_SANITIZE=ON -DQUORVANE_BUILD_FUZZ=ON \
  -DQUORVANE_BUILD_TESTS=ON -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_DESKTOP=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
