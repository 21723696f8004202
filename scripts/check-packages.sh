#!/usr/bin/env bash
# Checks the Debian packages of a package build: lintian finds no error in them, and a host outside the tree
# builds and runs against them unpacked into a scratch root, once through find_package(pdtdlg) and once through
# pkg-config.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "$1")
source="$PWD"
work="$build/package-check"
root="$work/root"
rm -rf "$work"
mkdir -p "$root"

fail() { echo "package check: $*" >&2; exit 1; }

shopt -s nullglob
debs=("$build"/*.deb)
[ ${#debs[@]} -eq 3 ] || fail "expected three packages in $build, found ${#debs[@]}"

# lintian's errors fail the check; its warnings are printed.
for deb in "${debs[@]}"; do
  report=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
  [ -z "$report" ] || echo "$report"
  if grep -q '^E:' <<<"$report"; then fail "lintian reports errors in $(basename "$deb")"; fi
  dpkg -x "$deb" "$root"
done

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
libdir="$root/usr/lib/$multiarch"
[ -f "$libdir/pkgconfig/pdtdlg.pc" ] || fail "no pdtdlg.pc in the development package"
[ -x "$root/usr/bin/jobhost" ] || fail "no jobhost in its package"

run() { LD_LIBRARY_PATH="$libdir:$libdir/jobhost" PDTDLG_SETTINGS="$work/settings.ini" QT_QPA_PLATFORM=offscreen "$@"; }

# jobhost runs the sample job it ships.
report=$(run "$root/usr/bin/jobhost" --simulate "$root/usr/share/pdtdlg/samples/sample.pdtjob" --keys "{ESC}") ||
  fail "the packaged jobhost cannot run its sample job"

# The outside host through CMake's package.
cmake -S tests/install/outside-host -B "$work/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_PREFIX_PATH="$root/usr" >"$work/cmake.log" 2>&1 || { cat "$work/cmake.log" >&2; fail "find_package(pdtdlg) fails"; }
cmake --build "$work/cmake" >>"$work/cmake.log" 2>&1 || { cat "$work/cmake.log" >&2; fail "the host does not build with CMake"; }
run "$work/cmake/outside_host"

# The same host through pkg-config.
flags=$(PKG_CONFIG_PATH="$libdir/pkgconfig" pkg-config --cflags --libs pdtdlg) ||
  fail "pkg-config does not know pdtdlg"
g++ -std=c++20 -fPIC tests/install/outside-host/main.cpp $flags -o "$work/outside_host_pc" ||
  fail "the host does not build with pkg-config's flags"
run "$work/outside_host_pc"
echo "package check: ${#debs[@]} packages, lintian clean, a host builds against them with CMake and pkg-config"
