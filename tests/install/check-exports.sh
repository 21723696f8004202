#!/usr/bin/env bash
# The symbols each shared library exports, against the committed lists: an export is added on purpose.
# Usage: check-exports.sh LIBDIR LISTDIR [--update]
# Only the symbols every build makes are compared: strong definitions, outside the standard library's templates
# (which each build instantiates differently) and the sanitizers' own.
set -euo pipefail
libdir="$1"
lists="$2"
update="${3:-}"
status=0
for lib in pdtdlg pdtsupport pdtplatform; do
  so="$libdir/lib$lib.so"
  [ -f "$so" ] || { echo "no $so" >&2; exit 1; }
  actual=$(nm -D --defined-only -C "$so" | awk '$2 ~ /^[TDBR]$/ { $1 = ""; sub(/^ /, ""); print }' |
    grep -v -E '^[TDBR] (std::|__gnu_cxx::|(void|bool|int|char) std::|operator (new|delete)|__odr_asan|__asan|__ubsan|__sanitizer)' | LC_ALL=C sort -u)
  if [ "$update" = "--update" ]; then
    printf '%s\n' "$actual" >"$lists/lib$lib.txt"
    continue
  fi
  if ! diff -u "$lists/lib$lib.txt" <(printf '%s\n' "$actual") >"/tmp/exports-$lib.diff.$$"; then
    echo "lib$lib exports differ from tests/install/exports/lib$lib.txt (+ exported now, - no longer):" >&2
    sed -n '3,$p' "/tmp/exports-$lib.diff.$$" | grep '^[-+]' >&2 || true
    echo "If the change is meant, run: bash tests/install/check-exports.sh $libdir $lists --update" >&2
    status=1
  fi
  rm -f "/tmp/exports-$lib.diff.$$"
done
exit $status
