#!/usr/bin/env bash
# Installs the Debian packages needed to build, test, benchmark and demo pdtdlg.
# Idempotent: only missing packages are installed.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config ccache
  qt6-base-dev qt6-base-dev-tools libqt6test6 qt6-svg-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-dejavu-core fonts-wqy-microhei fontconfig xvfb
  fonts-dejavu fonts-noto-mono fonts-liberation2 fonts-wqy-zenhei
  xdotool openbox x11-utils desktop-file-utils shared-mime-info
  abigail-tools xz-utils lintian dpkg-dev file
  clang libclang-rt-14-dev llvm
  nlohmann-json3-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
