#!/usr/bin/env bash
# Inside a Wine session (scripts/wine-session.sh): starts the program, lets it
# run, saves a screenshot of its window, ends it with Escape and exits with
# its exit code.
#   headless-run.sh EXE SECONDS SCREENSHOT
set -euo pipefail
exe=$1 seconds=$2 screenshot=$3

scripts=$(dirname "$0")
"$scripts/wine-exec.sh" "$exe" &
pid=$!

wid=$("$scripts/find-window.sh" Quenzibar) || {
  echo "The Quenzibar window did not appear." >&2
  wait "$pid" || status=$?
  echo "quenzibar exited with ${status:-0}"
  exit "${status:-1}"
}
sleep "$seconds"

# The window's frame as it stands on the screen, caption included.
read -r x y w h < <("$scripts/window-geometry.sh" "$wid")
import -window root -crop "${w}x${h}+${x}+${y}" +repage "$screenshot"
echo "Screenshot: $screenshot (${w}x${h} window at ${x},${y})"

"$scripts/press-escape.sh"
status=0
wait "$pid" || status=$?
echo "quenzibar exited with $status"
exit $status
