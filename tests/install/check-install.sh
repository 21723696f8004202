#!/usr/bin/env bash
# Installs the build into a scratch prefix, checks what landed there, then configures, builds and runs a host
# that knows pdtdlg only through find_package. The scratch folders stay at one path inside the build folder so
# that ccache recognises the outside host's compile from run to run.
set -euo pipefail
build="$1"
source="$2"
shift 2 # the rest: cache settings for the outside host (the sanitizer flags of a sanitized build)
work="$build/install-check"
prefix="$work/prefix"
rm -rf "$work"
mkdir -p "$work"

fail() { echo "install check: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >"$work/install.log" || { cat "$work/install.log" >&2; fail "cmake --install failed"; }

include="$prefix/include/pdtdlg"
config=$(find "$prefix" -name pdtdlgConfig.cmake -print -quit)
[ -n "$config" ] || fail "no pdtdlgConfig.cmake"
[ -f "$(dirname "$config")/pdtdlgConfigVersion.cmake" ] || fail "no version file beside the config"
for dir in platform support framework node link record portable job simulation find; do
  [ -d "$include/$dir" ] || fail "no headers in include/pdtdlg/$dir"
done
[ -f "$include/resources/resource.h" ] || fail "no resources/resource.h"
[ ! -e "$include/platform/testing" ] || fail "the test support was installed"
[ ! -e "$include/host" ] || fail "the reference host was installed"
[ -z "$(find "$include" -name '*_p.h')" ] || fail "private headers were installed"

# Every header the installed headers include is installed too.
while IFS= read -r header; do
  while IFS= read -r inc; do
    [ -f "$include/$inc" ] || fail "${header#$include/} includes $inc, which is not installed"
  done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p' "$header")
done < <(find "$include" -name '*.h')

# Sonames, and libraries that find each other where they are installed rather than in the build folder.
for lib in pdtplatform pdtsupport pdtdlg; do
  so=$(find "$prefix" -name "lib$lib.so.*" -type f -print -quit)
  [ -n "$so" ] || fail "lib$lib is not installed"
  dyn=$(readelf -d "$so")
  grep -q "SONAME.*\[lib$lib\.so\.[0-9]" <<<"$dyn" || fail "lib$lib has no versioned soname"
  grep -q "$build" <<<"$dyn" && fail "lib$lib still points into the build folder"
  grep -q 'R.*PATH.*\$ORIGIN' <<<"$dyn" || fail "lib$lib does not look beside itself for the others"
done

# jobhost runs from where it is installed, with the sample job found beside it.
jobhost="$prefix/bin/jobhost"
[ -x "$jobhost" ] || fail "jobhost is not installed"
[ -f "$prefix/share/pdtdlg/samples/sample.pdtjob" ] || fail "the sample job is not installed"
loads=$(ldd "$jobhost")
grep -q "libpdthostapp.so.* => $prefix/" <<<"$loads" ||
  { echo "$loads" >&2; fail "jobhost does not load the installed libraries"; }
report=$(PDTDLG_SETTINGS="$work/settings.ini" QT_QPA_PLATFORM=offscreen "$jobhost" --simulate \
  "$prefix/share/pdtdlg/samples/sample.pdtjob" --keys "{ESC}") || fail "the installed jobhost cannot run the sample job"
grep -q '^State: waiting for a key' <<<"$report" || { echo "$report" >&2; fail "the installed jobhost did not run the sample job"; }
# Every branch of the sample as its scenarios walk it, with the files and the job it runs installed beside it.
report=$(PDTDLG_SETTINGS="$work/settings.ini" QT_QPA_PLATFORM=offscreen "$jobhost" --test \
  "$prefix/share/pdtdlg/samples/sample.pdttest") || { echo "$report" >&2; fail "the installed sample's scenarios fail"; }

# The desktop's view of jobhost: a valid launcher for .pdtjob files, and a MIME type the database takes.
share="$prefix/share"
for f in applications/jobhost.desktop mime/packages/jobhost-pdtjob.xml icons/hicolor/scalable/apps/jobhost.svg \
         icons/hicolor/scalable/mimetypes/application-x-pdtjob.svg; do
  [ -f "$share/$f" ] || fail "share/$f is not installed"
done
if command -v desktop-file-validate >/dev/null && command -v update-mime-database >/dev/null; then
  desktop-file-validate "$share/applications/jobhost.desktop" || fail "the desktop file is not valid"
  grep -q '^MimeType=application/x-pdtjob;$' "$share/applications/jobhost.desktop" || fail "the desktop file opens no jobs"
  update-mime-database "$share/mime" 2>/dev/null || fail "the MIME database refuses the job type"
  grep -q '^[0-9]*:application/x-pdtjob:\*\.pdtjob$' "$share/mime/globs2" || fail "*.pdtjob is not a job file"
  grep -qx 'application/x-pdtjob:application-x-pdtjob' "$share/mime/generic-icons" || fail "the job type has no icon"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$source/tests/install/outside-host" -B "$work/outside" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_PREFIX_PATH="$prefix" "${launcher[@]}" "$@" >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; fail "the outside host does not configure"; }
cmake --build "$work/outside" >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; fail "the outside host does not build"; }

# The program must load the installed libraries, not those of the build folder.
# (Whole outputs go to grep: a pipe that grep -q leaves early would fail under pipefail.)
loads=$(ldd "$work/outside/outside_host")
grep -q "libpdtdlg.so.* => $prefix/" <<<"$loads" ||
  { echo "$loads" >&2; fail "the outside host does not load the installed libpdtdlg"; }
PDTDLG_SETTINGS="$work/settings.ini" QT_QPA_PLATFORM=offscreen "$work/outside/outside_host"
