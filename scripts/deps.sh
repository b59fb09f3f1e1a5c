#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test tools is not installed yet.
# Works on a minimal Debian 12 system; runs apt-get through sudo only when not root.
#   scripts/deps.sh           everything: the program, its package, the tests and their tools
#   scripts/deps.sh package   only what building the program and its Debian package needs
set -euo pipefail

# The program, with its icon rendered from SVG, and its Debian package (cpack runs
# dpkg-shlibdeps, which needs dpkg-dev and file).
package_tools=(
  g++ make cmake pkg-config qt6-base-dev libgl-dev librsvg2-bin
  dpkg-dev file
)

# Tests, benchmarks, sanitizers and fuzzing, the style and static checks, and the checks of the
# built package (desktop entry, AppStream metadata, and the window's class and icon under a
# virtual X server).
test_tools=(
  locales qt6-qpa-plugins fonts-dejavu-core
  libgtest-dev libbenchmark-dev libfftw3-dev libmpfr-dev
  clang libclang-rt-14-dev clang-format-14 clang-tidy-14
  g++-aarch64-linux-gnu qemu-user emscripten
  desktop-file-utils appstream xvfb x11-utils
)

case "${1:-all}" in
  all) packages=("${package_tools[@]}" "${test_tools[@]}") ;;
  package) packages=("${package_tools[@]}") ;;
  *)
    echo "usage: $0 [package]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  as_root=(sudo)
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
