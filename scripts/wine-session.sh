#!/usr/bin/env bash
# Runs a command inside one Wine session: a private Xvfb display with GLX,
# a prepared Wine prefix and a persistent wineserver, all stopped afterwards.
#
#   scripts/wine-session.sh [--screen WxHxD] -- command [args...]
#
# The command sees DISPLAY, WINEPREFIX, WINEDEBUG and WINEDLLOVERRIDES.
# WINEPREFIX may be set by the caller; it defaults to build/wineprefix.
set -euo pipefail

screen=1280x1024x24
while [ $# -gt 0 ]; do
  case "$1" in
    --screen) screen=$2; shift 2 ;;
    --) shift; break ;;
    *) break ;;
  esac
done
[ $# -gt 0 ] || { echo "usage: $0 [--screen WxHxD] -- command..." >&2; exit 2; }

source "$(dirname "$0")/wine-env.sh"
export WINEPREFIX=${WINEPREFIX:-$root/build/wineprefix}

xvfb_pid=
cleanup() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  return 0
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A display of our own, so that tests know the screen size and never draw on
# the user's desktop.
start_xvfb "$screen" +extension GLX
export DISPLAY=:$xvfb_display

prepare_prefix "${screen%x*}"
wineserver -p
# Start Wine's services and the desktop now, detached from the command's
# output: started later by a test, they would inherit its pipes and keep
# them open after the test ends.
timeout 60 wine wineboot >/dev/null 2>&1
set +e
"$@"
status=$?
set -e
exit $status
