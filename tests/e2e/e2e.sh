#!/usr/bin/env bash
# End-to-end tests: the real program under Wine's user32 and d3d9, seen and
# driven through the X display as a user would. Runs inside
# scripts/wine-session.sh (CTest label e2e).
#
#   e2e.sh CASE
#
# E2E_DIR holds the programs CMake prepared: quenzibar.exe, renamed copies
# that Wine gives a desktop of their own, and double/ (the program beside the
# replacement d3d9.dll). OBJDUMP is the toolchain's objdump.
set -euo pipefail

case=${1:?usage: e2e.sh CASE}
scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
source "$scripts/wine-env.sh"
dir=${E2E_DIR:?}
teal="0,120,160"
log=$(mktemp)
pid=

fail() {
  echo "FAIL [$case]: $*" >&2
  [ -s "$log" ] && tail -n 20 "$log" | sed 's/^/  program: /' >&2
  exit 1
}

cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -f "$log" "$log.trace"
}
trap cleanup EXIT

# start EXE: runs the program in the background, its stderr kept in $log.
start() {
  "$scripts/wine-exec.sh" "$1" 2>"$log" &
  pid=$!
}

# expect_exit CODE: waits for the program and checks its exit status.
expect_exit() {
  local status=0
  wait "$pid" || status=$?
  pid=
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1"
  echo "exit status $status"
  "$scripts/find-window.sh" --gone Quenzibar || fail "the window outlived the program"
}

# main_window: the program's window, once it is there.
main_window() {
  "$scripts/find-window.sh" Quenzibar 30 || fail "no window titled Quenzibar"
}

# desktop_size NAME: "W H" of the Wine desktop called NAME.
desktop_size() {
  local wid
  wid=$(xdotool search --name "^$1 - Wine desktop\$" | head -n 1)
  [ -n "$wid" ] || fail "no Wine desktop called $1"
  "$scripts/window-geometry.sh" "$wid" | awk '{ print $3, $4 }'
}

# client_geometry WID: "X Y W H" of the window's client area, whose X window
# is the frame's only child (see find-window.sh).
client_geometry() {
  local child
  child=$(xwininfo -id "$1" -children | awk '/^ +0x/ { print $1; exit }')
  "$scripts/window-geometry.sh" "$child"
}

# expect_teal X Y W H SCREEN_W SCREEN_H: every pixel of the client area that
# is on the screen is the clear colour, exactly.
expect_teal() {
  local x=$1 y=$2 w=$3 h=$4 sw=$5 sh=$6
  local left=$((x < 0 ? 0 : x)) top=$((y < 0 ? 0 : y))
  local right=$((x + w > sw ? sw : x + w)) bottom=$((y + h > sh ? sh : y + h))
  local visible=$(((right - left) * (bottom - top)))
  local colours
  # The first frames may still be on their way: give them a moment.
  for _ in 1 2 3 4 5 6 7 8 9 10; do
    colours=$(import -window root -crop "$((right - left))x$((bottom - top))+$left+$top" +repage \
      -depth 8 -format %c histogram:info:- | sed 's/^ *//')
    [[ "$colours" == "$visible: ($teal)"* ]] && { echo "client: $visible pixels of ($teal)"; return; }
    sleep 0.5
  done
  fail "client area is not all ($teal): $colours"
}

# expect_window SCREEN_NAME: the window's title, size, position and colour.
expect_window() {
  local wid sw sh fx fy fw fh cx cy cw ch
  wid=$(main_window)
  read -r sw sh < <(desktop_size "$1")
  read -r fx fy fw fh < <("$scripts/window-geometry.sh" "$wid")
  read -r cx cy cw ch < <(client_geometry "$wid")
  echo "screen ${sw}x$sh, frame ${fw}x$fh at $fx,$fy, client ${cw}x$ch at $cx,$cy"
  [ "$cw" -eq 800 ] && [ "$ch" -eq 600 ] || fail "client area ${cw}x$ch, expected 800x600"
  # Centred frame; shell arithmetic truncates toward zero as the program must.
  [ "$fx" -eq $(((sw - fw) / 2)) ] && [ "$fy" -eq $(((sh - fh) / 2)) ] ||
    fail "frame at $fx,$fy is not centred on ${sw}x$sh"
  expect_teal "$cx" "$cy" "$cw" "$ch" "$sw" "$sh"
}

press() {
  xdotool key "$@"
}

# per_app_desktop EXE NAME SIZE: Wine runs EXE on a desktop of its own. A
# desktop outlives its programs in the wineserver, tied to the display it
# was made on: give each run a NAME of its own.
per_app_desktop() {
  timeout 60 wine reg add "HKCU\\Software\\Wine\\AppDefaults\\$1\\Explorer" /v Desktop /d "$2" \
    /f >/dev/null 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v "$2" /d "$3" /f >/dev/null 2>&1
}

case $case in
  window)
    start "$dir/quenzibar.exe"
    expect_window Default
    press Escape
    expect_exit 0
    ;;
  small-screen)
    # Smaller than the frame in both directions, by odd amounts: the frame
    # sticks out, and -4.5 must become -4, not -5.
    per_app_desktop quenzibar-small-screen.exe "SmallScreen$$" 800x616
    start "$dir/quenzibar-small-screen.exe"
    expect_window "SmallScreen$$"
    read -r fx fy _ < <("$scripts/window-geometry.sh" "$(main_window)")
    [ "$fx" -lt 0 ] && [ "$fy" -lt 0 ] || fail "frame at $fx,$fy does not stick out"
    press Escape
    expect_exit 0
    ;;
  close-box)
    start "$dir/quenzibar.exe"
    read -r fx fy fw _ < <("$scripts/window-geometry.sh" "$(main_window)")
    # The close box sits at the right end of the caption.
    xdotool mousemove $((fx + fw - 12)) $((fy + 12)) click 1
    expect_exit 0
    ;;
  alt-f4)
    start "$dir/quenzibar.exe"
    main_window >/dev/null
    press alt+F4
    expect_exit 0
    ;;
  other-keys)
    start "$dir/quenzibar.exe"
    main_window >/dev/null
    press a space Return Tab BackSpace
    sleep 1
    kill -0 "$pid" 2>/dev/null || fail "the program ended on a key other than Escape"
    main_window >/dev/null
    press Escape
    expect_exit 0
    ;;
  no-gl)
    # An X server without GLX: Direct3D has nothing to render with.
    per_app_desktop quenzibar-no-gl.exe "NoGL$$" 1280x1024
    trap 'cleanup; [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null' EXIT
    start_xvfb 1280x1024x24 -extension GLX || fail "no second display"
    DISPLAY=:$xvfb_display start "$dir/quenzibar-no-gl.exe"
    expect_exit 255
    ;;
  no-runtime)
    D3D9_DOUBLE=null WINEDLLOVERRIDES="$WINEDLLOVERRIDES;d3d9=n,b" start "$dir/double/quenzibar.exe"
    expect_exit 255
    ;;
  no-device)
    D3D9_DOUBLE=fail-create WINEDLLOVERRIDES="$WINEDLLOVERRIDES;d3d9=n,b" \
      start "$dir/double/quenzibar.exe"
    expect_exit 255
    # Both tries were made, mixed first, then software.
    grep -q 'behavior=0x80 ' "$log" && grep -q 'behavior=0x20 ' "$log" ||
      fail "expected a mixed and a software CreateDevice"
    ;;
  software-fallback)
    D3D9_DOUBLE=fail-mixed WINEDLLOVERRIDES="$WINEDLLOVERRIDES;d3d9=n,b" \
      start "$dir/double/quenzibar.exe"
    expect_window Default
    tr -d '\r' <"$log" | grep -q 'behavior=0x20 hr=0x0$' || fail "no software vertex processing device"
    press Escape
    expect_exit 0
    ;;
  frame-calls)
    # What one pass of the loop costs: Wine traces every call into the
    # system DLLs the program imports (+relay) and every Direct3D 9 call
    # (+d3d9). kernel32 forwards much of itself to kernelbase.
    timeout 60 wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude \
      /d 'user32.*;gdi32.*;kernel32.*;kernelbase.*;msvcrt.*' \
      /f >/dev/null 2>&1
    WINEDEBUG=+loaddll,+relay,+d3d9 start "$dir/quenzibar.exe"
    main_window >/dev/null
    sleep 2
    press Escape
    expect_exit 0
    size=$("$OBJDUMP" -p "$dir/quenzibar.exe" | awk '/^SizeOfImage/ { print $2 }')
    # The trace is far too long to show on failure; the awk script says
    # which passes were wrong.
    mv "$log" "$log.trace"
    awk -v size="0x$size" -f "$(dirname "$0")/frame_calls.awk" "$log.trace" ||
      fail "a pass of the loop made other calls"
    ;;
  *)
    echo "unknown case: $case" >&2
    exit 2
    ;;
esac
