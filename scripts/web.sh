#!/usr/bin/env bash
# The browser edition: installs what is missing, builds the core for WebAssembly and the page
# into build-web/site, and serves that folder on this machine.
#   scripts/web.sh          build, then serve the site on 127.0.0.1 and print its address
#   scripts/web.sh build    only build
#   scripts/web.sh test     build, then run the web tests (tests/web) in headless chromium
# Installs with apt-get only what is not installed yet (emscripten, node, npm, chromium), and the
# page's npm packages with npm ci from the lock file; nothing downloads a browser or a toolchain.
# Builds with QUORVANE_JOBS jobs (default: the number of cores).
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-serve}
case "${mode}" in
  serve | build | test) ;;
  *)
    echo "usage: $0 [build|test]" >&2
    exit 2
    ;;
esac
jobs=${QUORVANE_JOBS:-$(nproc)}

# --- What is missing, from Debian -------------------------------------------------------------

# A tool counts as there when its command is, whichever package brought it: a node from another
# source brings its own npm, which Debian's npm package would conflict with.
needed=(emcmake:emscripten node:nodejs npm:npm chromium:chromium)
if [ "${mode}" = test ]; then
  # The native program that says what the page must show (tests/web/expected).
  needed+=(g++:g++ cmake:cmake)
fi
missing=()
for pair in "${needed[@]}"; do
  command -v "${pair%%:*}" >/dev/null || missing+=("${pair#*:}")
done
if [ "${mode}" = test ] && [ ! -f /usr/include/gtest/gtest.h ]; then
  missing+=(libgtest-dev)
fi
if [ ${#missing[@]} -ne 0 ]; then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends \
    "${missing[@]}"
fi

# --- The page's npm packages, exactly as the lock file pins them -----------------------------

# npm ci starts from nothing every time; the lock file's hash, kept beside the packages, says
# whether the installed ones are already those it pins.
lock_hash=$(sha256sum src/web/package-lock.json | cut -d' ' -f1)
stamp=src/web/node_modules/.quorvane-lock
if [ "$(cat "${stamp}" 2>/dev/null)" != "${lock_hash}" ]; then
  (cd src/web && npm ci --no-audit --no-fund)
  echo "${lock_hash}" >"${stamp}"
fi

# --- The core in WebAssembly ----------------------------------------------------------------

# emscripten runs its JavaScript tools under node; NODE_PATH lets a node that does not come from
# Debian find Debian's JavaScript modules (acorn) as well. Its compiler goes through ccache when
# there is one.
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:${NODE_PATH}}"
if command -v ccache >/dev/null; then
  export EM_COMPILER_WRAPPER=ccache
fi
started=${SECONDS}
# The project's own compiler launcher is for the native compilers, not for em++.
env -u CMAKE_CXX_COMPILER_LAUNCHER emcmake cmake -S src/web/wasm -B build-web/wasm \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-web/wasm --parallel "${jobs}"
echo "web: the core in WebAssembly, $((SECONDS - started)) s"

# --- The page, type-checked and bundled into build-web/site ----------------------------------

started=${SECONDS}
(cd src/web && npm run --silent check && npm run --silent build)
echo "web: the page in build-web/site, $((SECONDS - started)) s"

case "${mode}" in
  build) ;;
  serve)
    exec node scripts/serve-site.mjs build-web/site
    ;;
  test)
    # The native program over the same core: from ./build when it is there, else from a build of
    # the core alone.
    if [ -f build/CMakeCache.txt ]; then
      native=build
    else
      native=build-web/native
      cmake -S . -B "${native}" -DCMAKE_BUILD_TYPE=Release -DQUORVANE_DESKTOP=OFF \
        -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DQUORVANE_BUILD_BENCH=OFF >/dev/null
    fi
    cmake --build "${native}" --parallel "${jobs}" --target quorvane_web_expected
    export QUORVANE_WEB_EXPECTED=${PWD}/${native}/tests/web/expected/quorvane_web_expected
    # The page's own unit tests, then the browser tests one file at a time: each starts its own
    # browser, and the figures want the machine to themselves.
    (cd src/web && npm run --silent test:unit)
    node --test --test-concurrency=1 tests/web/
    ;;
esac
