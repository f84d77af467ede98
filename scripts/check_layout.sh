#!/usr/bin/env bash
# Cheap hygiene checks of the tree: the core stays free of Qt, message boxes live in ui/, the
# ui folders depend on each other only as the README's folder table says.
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
# The windows' folders: widgets/ is shared by all and uses none of them; the input dialogs,
# the history windows and the result views use widgets/ and their own folder only; the main
# window may use them all.
if grep -rnE '#include "ui/(main_window|input|histories|results)/' ui/widgets; then
  echo "ui/widgets/ includes a window of another ui folder"; fail=1
fi
for block in input histories results; do
  if grep -rnE '#include "ui/' "ui/$block" | grep -vE "#include \"ui/($block|widgets)/"; then
    echo "ui/$block/ includes another block than widgets/"; fail=1
  fi
done
if grep -rnE '#include "ui/' chart; then
  echo "chart/ includes ui/"; fail=1
fi
# -I skips binary files (workbooks, project files, pictures).
if git grep -I -l $'\r' ; then
  echo "CRLF line endings"; fail=1
fi
[ "$fail" -eq 0 ] && echo "layout checks passed"
exit "$fail"
