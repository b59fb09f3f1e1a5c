#!/usr/bin/env bash
# Checks that the core gives the same numbers, bit for bit, on every machine a lab may use:
# the golden program (tests/golden) must print exactly tests/golden/golden.txt
#   - natively, as built in ./build;
#   - natively with glibc restricted to its routines without AVX2 and FMA (an older PC);
#   - built for aarch64 and run under qemu-user (Apple-silicon Macs, Chromebooks, Raspberry Pis);
#   - built for WebAssembly and run by node (a browser).
# Only the core's sources and the golden program are built for the other two machines.
# Needs ./build (scripts/build.sh); installs the cross tools with scripts/deps.sh when missing.
#   scripts/golden.sh            check every machine
#   scripts/golden.sh --update   write what the native build prints into golden.txt
set -euo pipefail
cd "$(dirname "$0")/.."

expected=tests/golden/golden.txt
native=build/tests/golden/quorvane_golden
sources=build/golden/core-sources.txt
if [ ! -x "${native}" ] || [ ! -f "${sources}" ]; then
  echo "no ${native}: run scripts/build.sh first" >&2
  exit 1
fi
if [ "${1:-}" = "--update" ]; then
  "${native}" >"${expected}"
  echo "wrote ${expected}"
  exit 0
fi

for tool in aarch64-linux-gnu-g++ qemu-aarch64 em++ node; do
  command -v "${tool}" >/dev/null || {
    bash scripts/deps.sh
    break
  }
done

failed=0
# check NAME COMMAND...: runs the command and compares what it prints with the golden file.
check() {
  local name=$1
  shift
  local out=build/golden/${name}.txt
  local started=${SECONDS}
  if ! "$@" >"${out}"; then
    echo "golden numbers, ${name}: the program failed" >&2
    failed=1
  elif ! diff -q "${expected}" "${out}" >/dev/null; then
    echo "golden numbers, ${name}: differ from ${expected}:" >&2
    diff "${expected}" "${out}" | head -20 >&2
    failed=1
  else
    echo "golden numbers, ${name}: identical ($((SECONDS - started)) s)"
  fi
}

# build DIR COMPILER FLAGS...: compiles the core and the golden program into DIR, one source
# per core at a time.
build() {
  local dir=$1 compiler=$2
  shift 2
  mkdir -p "${dir}"
  rm -f "${dir}"/*.o
  local launcher=""
  if command -v ccache >/dev/null && [ "${compiler}" != em++ ]; then
    launcher=ccache
  fi
  export GOLDEN_COMPILE="${launcher} ${compiler} $*"
  {
    cat "${sources}"
    echo "${PWD}/tests/golden/GoldenNumbers.cpp"
  } | while read -r source; do
    local relative=${source#"${PWD}"/}
    echo "${source}" "${dir}/${relative//\//_}.o"
  done | xargs -n 2 -P "$(nproc)" bash -c '${GOLDEN_COMPILE} -c "$0" -o "$1"'
}

flags=(-std=c++20 -O2 -ffp-contract=off -DNDEBUG -Isrc/core)

mkdir -p build/golden
started=${SECONDS}
check native "${native}"
check no-fma env GLIBC_TUNABLES=glibc.cpu.hwcaps=-AVX2,-FMA "${native}"

# aarch64: a static program, so qemu needs no aarch64 libraries.
build build/golden/aarch64 aarch64-linux-gnu-g++ "${flags[@]}"
aarch64-linux-gnu-g++ -static -o build/golden/aarch64/quorvane_golden build/golden/aarch64/*.o
check aarch64 qemu-aarch64 build/golden/aarch64/quorvane_golden

# WebAssembly, run by node.
build build/golden/wasm em++ "${flags[@]}"
# The link runs emscripten's JavaScript tools under node; NODE_PATH lets a node that does not
# come from Debian find Debian's JavaScript modules (acorn) as well.
NODE_PATH="/usr/share/nodejs${NODE_PATH:+:${NODE_PATH}}" \
  em++ -O2 -sALLOW_MEMORY_GROWTH=1 -sSINGLE_FILE=1 -o build/golden/wasm/quorvane_golden.js \
  build/golden/wasm/*.o
check wasm node build/golden/wasm/quorvane_golden.js

echo "golden numbers: $((SECONDS - started)) s in all"
exit "${failed}"
