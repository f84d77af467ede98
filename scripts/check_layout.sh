#!/usr/bin/env bash
# Cheap hygiene checks of the tree: the core stays free of Qt, message boxes live in ui/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
fail=0
if grep -rnE '#include\s*[<"]Q' numeric model signals engine cli 2>/dev/null; then
  echo "Qt header included in the core or the command-line tool"; fail=1
fi
if git grep -l 'QMessageBox' -- '*.cpp' '*.h' | grep -v -E '^(ui|tests/ui)/' ; then
  echo "QMessageBox used outside ui/"; fail=1
fi
# -I skips binary files (workbooks, project files, pictures).
# The agency records of tests/data/records keep their bytes as the agencies wrote them.
if git grep -I -l $'\r' -- ':!tests/data/records' ; then
  echo "CRLF line endings"; fail=1
fi
[ "$fail" -eq 0 ] && echo "layout checks passed"
exit "$fail"
