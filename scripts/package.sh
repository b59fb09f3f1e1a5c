#!/usr/bin/env bash
# Installs what is missing, builds Quorvane in Release (the program only, into ./build-package)
# and leaves its Debian package quorvane_<version>_<arch>.deb in ./build, ready for
#   sudo apt install ./build/quorvane_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh package
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DQUORVANE_BUILD_TESTS=OFF \
  -DQUORVANE_BUILD_BENCH=OFF -DQUORVANE_BUILD_FUZZ=OFF -DQUORVANE_SANITIZE=OFF
cmake --build build-package --parallel "$(nproc)"
(cd build-package && cpack -G DEB)

# Exactly one package in ./build, so the install command's pattern names this one.
mkdir -p build
rm -f build/quorvane_*.deb
cp build-package/quorvane_*.deb build/
echo "Package: $(ls build/quorvane_*.deb)"
