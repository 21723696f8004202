#!/usr/bin/env bash
# make abi: the shared libraries' binary interface against the baselines in abi/. A change fails until the
# soname's version moves (the project's version in CMakeLists.txt) and the baselines are written anew for it
# (make abi-update); added functions and variables are listed and pass.
# Usage: abi.sh BUILD_DIR [--update]
set -euo pipefail
cd "$(dirname "$0")/.."
build="$1"
update="${2:-}"
work=$(mktemp -d)
mkdir -p abi
trap 'rm -rf "$work"' EXIT
status=0
for lib in pdtplatform pdtsupport pdtdlg; do
  so=$(readlink -f "$build/lib/lib$lib.so")
  soname=$(readelf -d "$so" | sed -n 's/.*(SONAME).*\[\(.*\)\]/\1/p')
  base="abi/lib$lib.abi.xz"
  abidw --no-corpus-path --no-show-locs "$so" --out-file "$work/current.abi"
  if [ "$update" = "--update" ]; then
    xz -9 -c "$work/current.abi" >"$base"
    echo "abi: lib$lib baseline written for $soname"
    continue
  fi
  [ -f "$base" ] || { echo "abi: lib$lib has no baseline (make abi-update)"; status=1; continue; }
  xz -dc "$base" >"$work/baseline.abi"
  basesoname=$(sed -n "s/.*soname='\([^']*\)'.*/\1/p" "$work/baseline.abi" | head -1)
  if [ "$basesoname" != "$soname" ]; then
    echo "abi: lib$lib is $soname, its baseline $basesoname: write the baseline for the new soname (make abi-update)"
    status=1
    continue
  fi
  # Anything but added functions and variables breaks a host built against the baseline: abidiff itself calls
  # only removals incompatible, but a changed layout or signature is as fatal to a host.
  rc=0
  abidiff --no-show-locs --no-added-syms --suppressions abi/suppressions.ini "$work/baseline.abi" "$work/current.abi" \
    >"$work/report" || rc=$?
  if (( rc & 3 )); then
    cat "$work/report"; echo "abi: abidiff could not compare lib$lib"; status=1
  elif (( rc & 12 )); then
    cat "$work/report"
    echo "abi: lib$lib changed incompatibly: raise the version in CMakeLists.txt (the soname follows) and make abi-update"
    status=1
  elif ! abidiff --no-show-locs "$work/baseline.abi" "$work/current.abi" >"$work/report"; then
    cat "$work/report"; echo "abi: lib$lib grew compatibly"
  else
    echo "abi: lib$lib unchanged ($soname)"
  fi
done
exit $status
