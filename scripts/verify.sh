#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Regenerates every table and plot of the verification manual (docs/verification.md) from the
# built program: quibel-cli runs the analyses and the spectra, quibel-verify compares its
# output with the independent solutions, quibel-verify-plot draws the plots with the
# program's own chart, and the tables are written between the manual's markers.
#
#   scripts/verify.sh           rewrite the tables of the manual and docs/images/verification/
#   scripts/verify.sh --check   change nothing; fail when a comparison is out of its
#                               tolerance or a table of the manual differs from what the
#                               program gives now
#
# Environment: QUIBEL_VERIFY_BUILD (build folder, default build/verify), QUIBEL_VERIFY_JOBS
# (runs in parallel, default the number of processors).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${QUIBEL_VERIFY_BUILD:-$root/build/verify}"
jobs="${QUIBEL_VERIFY_JOBS:-$(nproc)}"
check=""
case "${1:-}" in
  "") ;;
  --check) check="--check" ;;
  *) echo "usage: scripts/verify.sh [--check]" >&2; exit 1 ;;
esac

"$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUIBEL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target quibel-cli quibel-verify quibel-verify-plot -j "$jobs"
cli="$build/cli/quibel-cli"
tool="$build/tests/verification/quibel-verify"
plot="$build/tests/verification/quibel-verify-plot"

work="$build/verification"
rm -rf "$work"
mkdir -p "$work/runs" "$work/tables" "$work/images"
"$tool" projects "$work/runs"

# One line of runs.txt per run: "analysis NAME" or "spectrum NAME PERIODS DAMPING RATIO".
run_one() {
  local cli="$1" dir="$2" kind="$3" name="$4"
  cd "$dir"
  if [ "$kind" = analysis ]; then
    "$cli" run "$name.qbl" -o "$name.csv" --precision full --on-question continue 2>"$name.log"
  else
    "$cli" spectrum "$name.qbl" --history 0 --periods "$5" --damping "$6" --ratio "$7" \
      -o "$name@$7.txt" 2>"$name@$7.log"
  fi
}
export -f run_one
echo "Running $(wc -l <"$work/runs/runs.txt") analyses and spectra with quibel-cli..."
xargs -P "$jobs" -L 1 bash -c 'run_one "$0" "$1" "$2" "$3" "${4:-}" "${5:-}" "${6:-}"' \
  "$cli" "$work/runs" <"$work/runs/runs.txt"

status=0
"$tool" report "$work/runs" "$work/tables" || status=$?
if [ "$status" -eq 3 ]; then
  exit 3
fi

if [ -n "$check" ]; then
  "$plot" "$work/images" "$work/tables"/*.plot
  "$tool" splice "$root/docs/verification.md" "$work/tables" --check || status=1
else
  mkdir -p "$root/docs/images/verification"
  "$plot" "$root/docs/images/verification" "$work/tables"/*.plot
  "$tool" splice "$root/docs/verification.md" "$work/tables"
fi
if [ "$status" -ne 0 ]; then
  echo "verify.sh: some comparisons are out of tolerance or the manual is out of date" >&2
fi
exit "$status"
