#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints a SHA-256 digest of everything quibel-cli writes for a fixed set of inputs: every
# project under examples/ and tests/data/, each run as the three analysis kinds, with
# run --precision full, the debug file of run --debug, report (both languages), spectrum, info
# and batch (summaries without their run-time column). Comparing the
# output before and after a change shows whether that change altered any result.
#   scripts/output_digests.sh [BUILD_DIR] > digests.txt
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build/release}" && pwd)"
cli="$build/cli/quibel-cli"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

digest() { # label, then the command whose stdout and exit code are digested
  local label="$1"
  shift
  local out rc
  out="$("$@" 2>&1)"
  rc=$?
  printf '%s  rc=%s  %s\n' "$(printf '%s' "$out" | sha256sum | cut -c1-16)" "$rc" "$label"
}

projects=()
for p in "$root"/examples/*.qbl "$root"/tests/data/*.qbl; do projects+=("$p"); done

# One case table that turns every project into each analysis kind.
table="$work/kinds.csv"
echo "case;project;AnalysisKind" >"$table"
for p in "${projects[@]}"; do
  name="$(basename "$p" .qbl)"
  for kind in 0 1 2; do echo "$name-k$kind;$p;$kind" >>"$table"; done
done
digest "batch kinds summary" bash -c "'$cli' batch '$table' -o '$work/summary.csv' \
  --results-dir '$work/cases' --precision full --jobs 1 >/dev/null 2>&1; echo rc=\$?; \
  sed 's/;[^;]*$//' '$work/summary.csv'"

for p in "${projects[@]}"; do
  name="$(basename "$p" .qbl)"
  digest "info $name" "$cli" info "$p"
  digest "report-en $name" "$cli" report "$p"
  digest "report-fr $name" "$cli" report "$p" --lang fr
  digest "spectrum h $name" "$cli" spectrum "$p" --history 0
  digest "spectrum v $name" "$cli" spectrum "$p" --history 1
  digest "run grid $name" "$cli" run "$p" --on-question continue
  for kind in 0 1 2; do
    case="$work/cases/$name-k$kind.qbl"
    [ -f "$case" ] || continue
    digest "run full $name k$kind" "$cli" run "$case" --precision full --on-question continue
    digest "run grid $name k$kind" "$cli" run "$case" --on-question continue
    # The debug file every step writes, from a run in a folder of its own.
    mkdir -p "$work/debug" && rm -f "$work/debug/debug.csv"
    digest "debug $name k$kind" bash -c "cd '$work/debug' && '$cli' run '$case' --debug \
      --on-question continue >/dev/null 2>&1; echo rc=\$?; cat debug.csv 2>/dev/null"
    digest "report-en $name k$kind" "$cli" report "$case"
    digest "report-fr $name k$kind" "$cli" report "$case" --lang fr
    csv="$work/cases/$name-k$kind.csv"
    if [ -f "$csv" ]; then digest "case-csv $name k$kind" cat "$csv"; else echo "absent case-csv $name k$kind"; fi
  done
done

for t in "$root"/tests/data/batch/*.csv; do
  name="$(basename "$t" .csv)"
  digest "batch $name" bash -c "'$cli' batch '$t' -o '$work/b.csv' --jobs 1 >/dev/null 2>&1; \
    echo rc=\$?; sed 's/;[^;]*$//' '$work/b.csv' 2>/dev/null"
done
