#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Retakes the screenshots of docs/user-guide.md (docs/images/user-guide/) from the current
# program: builds quibel-guide-screenshots in Release and runs it under Xvfb, which walks
# through the tutorial in the real windows and pictures each of them.
#
# Environment: QUIBEL_GUIDE_BUILD (build folder, default build/verify).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUIBEL_GUIDE_BUILD:-$root/build/verify}"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIBEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quibel-guide-screenshots -j "$(nproc)"
out="$root/docs/images/user-guide"
mkdir -p "$out"
# A fixed screen and the xcb platform: real windows, the same pictures on every machine with
# the same fonts. The language and regional settings are those of the tutorial.
LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1280x1024x24" "$build/docs/tools/quibel-guide-screenshots" "$out"
