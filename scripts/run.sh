#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Command 1: installs what is missing, builds in Release and starts the desktop program.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$root/build/release" -j "$(nproc)"
if [ -x "$root/build/release/app/quibel" ]; then
  exec "$root/build/release/app/quibel" "$@"
fi
exec "$root/build/release/cli/quibel-cli" info "$root/examples/startup.qbl"
