#!/usr/bin/env bash
# Prints "X Y WIDTH HEIGHT" of an X window, X and Y on the root window.
# (xdotool getwindowgeometry miscounts windows nested in a Wine desktop.)
#   window-geometry.sh WID
xwininfo -id "$1" | awk '
  /Absolute upper-left X/ { x = $NF }
  /Absolute upper-left Y/ { y = $NF }
  /^ *Width:/             { w = $NF }
  /^ *Height:/            { h = $NF }
  END { if (w == "") exit 1; print x, y, w, h }'
