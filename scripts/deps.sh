#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages QUIBEL needs, only when some are missing.
set -euo pipefail
packages=(
  g++ clang clang-format cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6-dev qt6-translations-l10n
  libfreexl-dev libminizip-dev zlib1g-dev libfftw3-dev nlohmann-json3-dev
  libtomlplusplus-dev libgsl-dev
  xvfb xauth
  libwmf-bin fonts-urw-base35 poppler-utils python3 python3-openpyxl
  dpkg-dev file
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
