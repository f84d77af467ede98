#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cheap hygiene checks of the tree: each folder includes only from the folders below it, the core
# stays free of Qt, message boxes live in ui/, no forbidden word appears, every source is
# formatted, and no file has CRLF line endings.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
fail=0

# What the sources of a folder may include ("folder: allowed include prefixes"), following the
# dependency table of the README. A folder may always include from itself, and a file in a
# sub-folder follows the row of its longest listed folder, so a sub-folder with rules of its own
# is one more row (for example "engine/run: engine/loads model numeric").
allowed_includes=(
  "numeric:"
  "version:"
  "texts: numeric"
  "model: numeric"
  "signals: model texts numeric"
  "engine: signals model texts numeric"
  "reporting: engine signals model texts numeric"
  "study: numeric"
  "chart:"
  "documents: chart study reporting engine signals model texts version numeric"
  "cli: documents study reporting engine signals model texts version numeric"
  "ui: documents chart study reporting engine signals model texts version numeric"
  "ui/widgets: documents chart reporting engine signals model texts version numeric"
  "ui/input: ui/widgets documents chart reporting engine signals model texts version numeric"
  "ui/histories: ui/widgets documents chart reporting engine signals model texts version numeric"
  "ui/results: ui/widgets documents chart reporting engine signals model texts version numeric"
  "app: ui"
)

# The row that governs a file: the longest folder of the table that holds it.
row_of() {
  local file="$1" row best=""
  for row in "${allowed_includes[@]}"; do
    local folder="${row%%:*}"
    if [[ "$file" == "$folder"/* && ${#folder} -gt ${#best} ]]; then best="$folder"; fi
  done
  echo "$best"
}

# True when include (a path from the repository's root) lies in one of the allowed prefixes.
include_allowed() {
  local include="$1" folder="$2" prefix
  local row
  for row in "${allowed_includes[@]}"; do
    [ "${row%%:*}" = "$folder" ] || continue
    for prefix in "$folder" ${row#*:}; do
      [[ "$include" == "$prefix"/* ]] && return 0
    done
  done
  return 1
}

folders=()
for row in "${allowed_includes[@]}"; do folders+=("${row%%:*}/"); done
while IFS=: read -r file line include; do
  # An include without a folder names a file beside the including one.
  [[ "$include" == */* ]] || continue
  folder="$(row_of "$file")"
  if ! include_allowed "$include" "$folder"; then
    echo "$file:$line: includes \"$include\", outside what $folder/ may depend on"; fail=1
  fi
done < <(git grep -n -E '^\s*#\s*include\s*"' -- "${folders[@]}" |
  sed -E 's/^([^:]*):([0-9]+):.*"([^"]*)".*/\1:\2:\3/')

if grep -rnE '#include\s*[<"]Q' numeric version texts model signals engine reporting study cli 2>/dev/null; then
  echo "Qt header included in the core or the command-line tool"; fail=1
fi
if grep -rnE '#include\s*[<"]Q' documents --include='*.h' 2>/dev/null; then
  echo "Qt header included in a documents/ header, which quibel-cli includes"; fail=1
fi
if git grep -l 'QMessageBox' -- '*.cpp' '*.h' | grep -v -E '^(ui|tests/ui)/' ; then
  echo "QMessageBox used outside ui/"; fail=1
fi

# Words that never appear in the tree, its file names included: the program documents itself
# and names no other program or the tools of one. This script is the one file that lists them.
forbidden='specification|\bthe spec\b|spec\.md|\bPart [0-9]|delphi'
if git grep -I -n -i -P "$forbidden" -- ':!scripts/check_layout.sh'; then
  echo "forbidden word in the tree"; fail=1
fi
if git ls-files | grep -i -E '(^|[/_.-])spec([/_.-]|$)|specification|delphi'; then
  echo "forbidden word in a file name"; fail=1
fi

if ! git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror; then
  echo "sources not formatted with .clang-format (clang-format -i FILE)"; fail=1
fi

# -I skips binary files (workbooks, project files, pictures).
# The agency records of tests/data/records keep their bytes as the agencies wrote them.
if git grep -I -l $'\r' -- ':!tests/data/records' ; then
  echo "CRLF line endings"; fail=1
fi
# Every source, CMake, shell and Python file carries the licence's SPDX line.
if ! "$root/scripts/add_spdx.sh" --check; then
  echo "SPDX line missing (scripts/add_spdx.sh adds it)"; fail=1
fi

[ "$fail" -eq 0 ] && echo "layout checks passed"
exit "$fail"
