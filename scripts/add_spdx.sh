#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence's SPDX line at the top of every tracked source file that lacks it:
# "// SPDX-License-Identifier: GPL-3.0-or-later" in C++ files, "# ..." in CMake, shell and
# Python files (after the "#!" line where there is one).
#   scripts/add_spdx.sh          adds the missing lines
#   scripts/add_spdx.sh --check  only lists the files that lack it; fails when there are some
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
check=0
[ "${1:-}" = "--check" ] && check=1
readonly id="SPDX-License-Identifier: GPL-3.0-or-later"
missing=0

# add FILE COMMENT-PREFIX
add() {
  local file="$1" line="$2 $id"
  grep -qF "$id" <(head -n 2 "$file") && return 0
  missing=1
  if [ "$check" -eq 1 ]; then
    echo "$file"
    return 0
  fi
  local tmp
  tmp="$(mktemp)"
  if head -n 1 "$file" | grep -q '^#!'; then
    { head -n 1 "$file"; echo "$line"; tail -n +2 "$file"; } >"$tmp"
  else
    { echo "$line"; cat "$file"; } >"$tmp"
  fi
  # Keep the file's mode (scripts stay executable).
  cat "$tmp" >"$file"
  rm -f "$tmp"
}

while IFS= read -r -d '' f; do
  add "$f" "//"
done < <(git ls-files -z -- '*.cpp' '*.h')
while IFS= read -r -d '' f; do
  add "$f" "#"
done < <(git ls-files -z -- 'CMakeLists.txt' '*/CMakeLists.txt' '*.cmake' '*.sh' '*.py' '.ci/run')

if [ "$check" -eq 1 ] && [ "$missing" -eq 1 ]; then
  echo "files above lack the line: $id" >&2
  exit 1
fi
exit 0
