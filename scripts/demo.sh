#!/usr/bin/env bash
# Shows the reference host in a real window, or renders its gallery when there is no display.
set -euo pipefail
host="$1"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: rendering the dialogs to out/gallery/"
  "$host" --gallery out/gallery
else
  "$host"
fi
