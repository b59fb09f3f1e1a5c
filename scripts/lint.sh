#!/usr/bin/env bash
# Fails when a source file differs from clang-format's layout or clang-tidy reports anything.
# Uses the compile commands of ./build (scripts/build.sh writes them); the checks are those of
# the repository's .clang-format and .clang-tidy.
#   scripts/lint.sh          the checks the test command runs
#   scripts/lint.sh --deep   also clang's path-sensitive analyzer (clang-analyzer-*), which takes
#                            longer than every other check together
set -euo pipefail
cd "$(dirname "$0")/.."
extra=()
if [ "${1:-}" = "--deep" ]; then
  extra=(-checks='clang-analyzer-*')
fi

# The files come from the tree itself, not from git, so an unpacked source archive and a clone
# check exactly the same files.
# The page's npm packages (src/web/node_modules) are not ours.
mapfile -t sources < <(find src tests bench fuzz -name node_modules -prune -o -type f \
  \( -name '*.cpp' -o -name '*.h' \) -print | LC_ALL=C sort)
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
# clang-tidy reads the program's own sources, src/ only, on purpose: tests, benchmarks and fuzz
# targets are held to clang-format, warnings as errors and the sanitizer run instead, which keeps
# this step short enough to run beside the fuzzers. The WebAssembly bindings (src/web) are built
# by emscripten alone, so the native compile commands hold none of them.
mapfile -t checked < <(find src -path src/web -prune -o -type f -name '*.cpp' -print | LC_ALL=C sort)
if [ "${#checked[@]}" -eq 0 ]; then
  echo "no sources found under src/" >&2
  exit 1
fi
echo "== clang-tidy: ${#checked[@]} files"
# run-clang-tidy prints every finding and exits non-zero when there is one (all are errors).
run-clang-tidy-14 -p build/lint -quiet -j "$(nproc)" "${extra[@]}" "${checked[@]/#/$PWD/}" \
  >build/lint/clang-tidy.log 2>&1 ||
  {
    grep -E "(error|warning):" build/lint/clang-tidy.log | sort -u
    echo "clang-tidy found the above" >&2
    exit 1
  }
echo "clang-format and clang-tidy: clean"
