#!/usr/bin/env bash
# Installs what is missing, builds Quorvane in Release (the program only, into ./build-package)
# and leaves its Debian package quorvane_<version>_<arch>.deb in ./build, ready for
#   sudo apt install ./build/quorvane_*.deb
# With the argument "build" it packs what ./build already holds instead (the test command does
# so after building everything there in Release), and builds nothing else.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=build-package
if [ "${1:-}" = build ]; then
  folder=build
else
  bash scripts/deps.sh package
  cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF \
    -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_BUILD_FUZZ=OFF -DQUORVANE_SANITIZE=OFF
fi
cmake --build "${folder}" --parallel "$(nproc)" --target quorvane
rm -f "${folder}"/quorvane_*.deb
(cd "${folder}" && cpack -G DEB)

# Exactly one package in ./build, so the install command's pattern names this one.
mkdir -p build
if [ "${folder}" != build ]; then
  rm -f build/quorvane_*.deb
  cp "${folder}"/quorvane_*.deb build/
fi
echo "Package: $(ls build/quorvane_*.deb)"
