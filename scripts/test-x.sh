#!/usr/bin/env bash
# Runs the whole suite a second time in real windows. Each test program starts an Xvfb of its own (Xvfb picks a
# free display number), so programs running side by side never take each other's focus.
set -euo pipefail
cd "$(dirname "$0")/.."
ctest --preset x11 "$@"
