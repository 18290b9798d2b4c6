#!/usr/bin/env bash
# Installs what the build needs (only what is missing), then configures and
# builds. Usage: scripts/setup.sh BUILD_DIR [extra cmake arguments]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true

packages=(cmake ninja-build g++ pkg-config qt6-base-dev libxlsxwriter-dev
          libgtest-dev libbenchmark-dev clang libclang-rt-14-dev xdg-utils
          fonts-dejavu-core fonts-liberation2 locales poppler-utils
          python3-openpyxl)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build "$build" --parallel "$(nproc)"
