#!/usr/bin/env bash
# Prints the X window id of the top-level window titled exactly TITLE once
# Direct3D draws into it, waiting up to TIMEOUT seconds (default 20); fails if
# it does not get there. With --gone, waits instead until no such window is
# left: a program's windows go a moment after the process, and a window of
# the last run must not be taken for the next one's.
#
# Wine may replace a window's X window when Direct3D first attaches to it, so
# an id taken earlier can go stale. The X child that Wine then creates for
# the client area marks the final one.
#   find-window.sh [--gone] TITLE [TIMEOUT]
gone=false
[ "$1" = --gone ] && { gone=true; shift; }
title=$1
deadline=$((SECONDS + ${2:-20}))
while [ $SECONDS -lt $deadline ]; do
  ids=$(xdotool search --name "^${title}\$" 2>/dev/null)
  if $gone; then
    [ -z "$ids" ] && exit 0
  else
    for wid in $ids; do
      if xwininfo -id "$wid" -children 2>/dev/null | grep -q '^ *1 child'; then
        echo "$wid"
        exit 0
      fi
    done
  fi
  sleep 0.1
done
exit 1
