#!/usr/bin/env bash
# Runs the program under Wine.
#
# With a DISPLAY: on that display, until the window is closed or Escape is
# pressed; ends with the program's exit code.
# Without one: on a private Xvfb for SECONDS (default 5), saves a screenshot of
# the window to SCREENSHOT (default build/screenshot.png), presses Escape and
# ends with the program's exit code.
set -euo pipefail

exe=$(realpath "${1:?usage: run.sh path/to/quenzibar.exe}")
source "$(dirname "$0")/wine-env.sh"

if [ -n "${DISPLAY:-}" ]; then
  # A prefix without a Wine-drawn desktop, so the window is an ordinary one.
  export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix-run}
  prepare_prefix
  set +e
  wine "$exe"
  status=$?
  set -e
  echo "quenzibar exited with $status"
  exit $status
fi

seconds=${SECONDS_TO_RUN:-5}
screenshot=$(realpath -m "${SCREENSHOT:-$root/build/screenshot.png}")
mkdir -p "$(dirname "$screenshot")"
exec "$root/scripts/wine-session.sh" -- "$root/scripts/headless-run.sh" "$exe" "$seconds" "$screenshot"
