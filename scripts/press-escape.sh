#!/usr/bin/env bash
# Presses Escape as the keyboard would (XTEST), for the window that has the
# focus: the program's, the last one opened on a Wine desktop of its own.
# (Events sent to one X window with XSendEvent are unreliable here: Wine may
# have replaced that window, and the key-up finds it gone.)
exec xdotool key Escape
