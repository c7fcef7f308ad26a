#!/usr/bin/env bash
# Prints the X window id of the top-level window titled exactly TITLE, waiting
# up to TIMEOUT seconds (default 20) for it to appear; fails if it does not.
#   find-window.sh TITLE [TIMEOUT]
title=$1
deadline=$((SECONDS + ${2:-20}))
while [ $SECONDS -lt $deadline ]; do
  wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1)
  [ -n "$wid" ] && { echo "$wid"; exit 0; }
  sleep 0.1
done
exit 1
