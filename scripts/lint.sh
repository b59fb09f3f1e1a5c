#!/usr/bin/env bash
# Fails when a source file differs from clang-format's layout or clang-tidy reports anything.
# Uses the compile commands of ./build (scripts/build.sh writes them); the checks are those of
# the repository's .clang-format and .clang-tidy.
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t sources < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' \
  'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
echo "== clang-format: ${#sources[@]} files"
clang-format-14 --dry-run --Werror "${sources[@]}"

if [ ! -f build/compile_commands.json ]; then
  echo "no build/compile_commands.json: run scripts/build.sh first" >&2
  exit 1
fi
# The build precompiles Qt's headers with GCC, which clang cannot read: clang-tidy gets the same
# commands without the precompiled header, so every source also proves it includes what it uses.
mkdir -p build/lint
sed -E 's# -Winvalid-pch##g; s# -include [^ ]*cmake_pch\.hxx##g' build/compile_commands.json \
  >build/lint/compile_commands.json
mapfile -t checked < <(git ls-files -- 'src/*.cpp')
echo "== clang-tidy: ${#checked[@]} files"
# run-clang-tidy prints every finding and exits non-zero when there is one (all are errors).
run-clang-tidy-14 -p build/lint -quiet -j "$(nproc)" "${checked[@]/#/$PWD/}" \
  >build/lint/clang-tidy.log 2>&1 ||
  {
    grep -E "(error|warning):" build/lint/clang-tidy.log | sort -u
    echo "clang-tidy found the above" >&2
    exit 1
  }
echo "clang-format and clang-tidy: clean"
