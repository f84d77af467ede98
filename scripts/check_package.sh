#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the Debian package as a user's machine would see it: lists it, extracts it into a
# temporary root and runs the extracted programs there, so a file or a library the package
# lacks fails here.  scripts/check_package.sh [PACKAGE.deb]  (default build/package/quibel_*.deb)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
deb="${1:-}"
if [ -z "$deb" ]; then
  debs=("$root"/build/package/quibel_*.deb)
  deb="${debs[-1]}"
fi
[ -f "$deb" ] || { echo "check_package.sh: no package $deb" >&2; exit 1; }

dest="$(mktemp -d)"
trap 'rm -rf "$dest"' EXIT
fail=0
problem() { echo "package: $*" >&2; fail=1; }

dpkg-deb --info "$deb"
dpkg-deb --contents "$deb"
dpkg-deb --extract "$deb" "$dest"

depends="$(dpkg-deb --field "$deb" Depends)"
# The record readers, spectra and fragility fit are linked in from the static archives.
for lib in libqt6widgets6 libminizip1; do
  grep -q "$lib" <<<"$depends" || problem "Depends does not name $lib: $depends"
done

expected=(
  usr/bin/quibel usr/bin/quibel-cli
  "usr/share/quibel/Earthquakes - horizontal.xls" "usr/share/quibel/Earthquakes - vertical.xls"
  usr/share/quibel/examples/startup.qbl
  usr/share/man/man1/quibel.1.gz usr/share/man/man1/quibel-cli.1.gz
  usr/share/bash-completion/completions/quibel-cli
  usr/share/applications/quibel.desktop usr/share/icons/hicolor/scalable/apps/quibel.svg
  usr/share/mime/packages/quibel.xml
  usr/share/doc/quibel/copyright usr/share/doc/quibel/earthquake-records.md
)
for f in "${expected[@]}"; do
  [ -f "$dest/$f" ] || problem "missing $f"
done
for page in "$dest"/usr/share/man/man1/*.1.gz; do
  gzip -t "$page" || problem "damaged manual page $page"
done

# The programs must load from the system's libraries, not from a build tree.
for exe in "$dest/usr/bin/quibel" "$dest/usr/bin/quibel-cli"; do
  if readelf -d "$exe" | grep -qE 'R(UN)?PATH'; then
    problem "$exe keeps a run path: $(readelf -d "$exe" | grep -E 'R(UN)?PATH')"
  fi
  if ldd "$exe" | grep 'not found'; then
    problem "$exe lacks a library"
  fi
done

version="$(dpkg-deb --field "$deb" Version)"
cli="$dest/usr/bin/quibel-cli"
"$cli" --version | grep -qF "quibel-cli $version" || problem "quibel-cli --version is not $version"
"$cli" --lang fr --version | grep -qF "logiciel libre" || problem "quibel-cli --version in French"
"$cli" run "$dest/usr/share/quibel/examples/startup.qbl" -o "$dest/results.csv" ||
  problem "quibel-cli run on the installed example failed"
[ -s "$dest/results.csv" ] || problem "quibel-cli run wrote no results"

# quibel-cli paints its reports with the documents module it loads beside itself.
module="$(find "$dest/usr/lib" -name quibel-documents.so | head -n 1)"
if [ -z "$module" ]; then
  problem "missing the documents module quibel-documents.so"
else
  if ldd "$module" | grep 'not found'; then problem "$module lacks a library"; fi
  printf 'case;project;AnalysisKind\nstartup;%s;Sliding\n' \
    "$dest/usr/share/quibel/examples/startup.qbl" >"$dest/cases.csv"
  LD_DEBUG=files env -u DISPLAY -u WAYLAND_DISPLAY "$cli" batch "$dest/cases.csv" \
    -o "$dest/summary.csv" --reports "$dest/reports" 2>"$dest/loading.txt" ||
    problem "quibel-cli batch --reports on the installed example failed"
  grep -q "file=$dest/.*quibel-documents.so .*dynamically loaded" "$dest/loading.txt" ||
    problem "quibel-cli did not load the installed documents module"
  [ -s "$dest/reports/startup.pdf" ] || problem "quibel-cli batch --reports wrote no report"
fi

# --version needs no display at all; offscreen, as on a machine without one.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$dest/usr/bin/quibel" --version |
  grep -qF "$version" || problem "quibel --version without a display"
QT_QPA_PLATFORM=offscreen "$dest/usr/bin/quibel" --version | grep -qF "$version" ||
  problem "quibel --version offscreen"

[ "$fail" -eq 0 ] && echo "package checks passed: $deb"
exit "$fail"
