#!/usr/bin/env bash
# Cheap hygiene checks of the tree: the core stays free of Qt, message boxes live in ui/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
fail=0
if grep -rnE '#include\s*[<"]Q' numeric model signals engine cli 2>/dev/null; then
  echo "Qt header included in the core or the command-line tool"; fail=1
fi
if grep -rln 'QMessageBox' --include='*.cpp' --include='*.h' . 2>/dev/null | grep -v -E '^\./(ui|build)/' ; then
  echo "QMessageBox used outside ui/"; fail=1
fi
if git ls-files -z | xargs -0 grep -lP '\r$' 2>/dev/null | grep -v -E '\.(xls|qbl)$'; then
  echo "CRLF line endings"; fail=1
fi
[ "$fail" -eq 0 ] && echo "layout checks passed"
exit "$fail"
