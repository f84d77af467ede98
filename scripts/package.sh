#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/package/quibel_<version>_<arch>.deb with CPack.
#   scripts/package.sh            configures and builds build/package in Release (no tests)
#   scripts/package.sh BUILD_DIR  packages a Release build that is already configured there
#                                 (CI reuses its test build instead of building a third time)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build/package"
build="${1:-$out}"
"$root/scripts/deps.sh"

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DQUIBEL_BUILD_TESTS=OFF -DQUIBEL_BUILD_BENCH=OFF
fi
if ! grep -qx 'CMAKE_BUILD_TYPE:STRING=Release' "$build/CMakeCache.txt"; then
  echo "package.sh: $build is not a Release build" >&2
  exit 1
fi
cmake --build "$build" -j "$(nproc)"

mkdir -p "$out"
rm -f "$out"/quibel_*.deb
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$out"
ls "$out"/quibel_*.deb
