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

# Wait for the window, but not for a program that has already ended (a
# failed start-up ends with -1 before its window is drawn into).
wid=
for _ in $(seq 30); do
  wid=$("$scripts/find-window.sh" Quenzibar 1) && break
  kill -0 "$pid" 2>/dev/null || break
done
if [ -z "$wid" ]; then
  echo "The Quenzibar window did not appear." >&2
  status=0
  wait "$pid" || status=$?
  echo "quenzibar exited with $status"
  [ "$status" -ne 0 ] || status=1
  exit $status
fi
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
