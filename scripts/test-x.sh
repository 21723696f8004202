#!/usr/bin/env bash
# Runs the whole suite a second time in real windows: on the X display there is, or, without one, on an Xvfb
# server started here (it picks a free display number itself) and stopped afterwards.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ]; then
  numfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$numfile" 2>/dev/null &
  xvfb=$!
  trap 'kill "$xvfb" 2>/dev/null; rm -f "$numfile"' EXIT
  for _ in $(seq 100); do
    [ -s "$numfile" ] && break
    sleep 0.1
  done
  [ -s "$numfile" ] || { echo "Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n1 "$numfile")"
  echo "Xvfb on $DISPLAY"
fi
ctest --preset x11 "$@"
