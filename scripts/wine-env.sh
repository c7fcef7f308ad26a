# Sourced by the scripts that run Windows programs: Wine's environment and
# the preparation of a prefix.
#
# start_xvfb WxHxD [Xvfb options...]
#                       starts a private Xvfb on a free display; sets
#                       xvfb_pid and xvfb_display (the number).
# prepare_prefix [WxH]  creates $WINEPREFIX once; with a size, makes its
#                       desktop a Wine-drawn one of that size.

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko install prompts.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

start_xvfb() {
  local screen=$1 fifo
  shift
  # -displayfd picks a free display number and writes it once it is ready.
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  if ! read -r -t 20 xvfb_display <"$fifo"; then
    rm -f "$fifo"
    echo "Xvfb did not start" >&2
    return 1
  fi
  rm -f "$fifo"
}

reg_add() { timeout 60 wine reg add "$@" /f >/dev/null 2>&1; }

prepare_prefix() {
  local desktop=${1:-}
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix $WINEPREFIX (once; takes about 20 s)..." >&2
    mkdir -p "$WINEPREFIX"
    timeout 180 wineboot -i >/dev/null 2>&1
    # A crash must end the process, never leave a dialog waiting on the display.
    reg_add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
  fi
  # Debian's Wine does not find its own Marlett font, which draws the caption
  # buttons (the close box shows an "r" without it): give the prefix a copy.
  local fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ ! -f "$fonts/marlett.ttf" ] && [ -f /usr/share/wine/fonts/marlett.ttf ]; then
    mkdir -p "$fonts"
    cp /usr/share/wine/fonts/marlett.ttf "$fonts/"
  fi
  if [ -n "$desktop" ]; then
    # A Wine-drawn desktop: windows get a real caption and close box without
    # a window manager, and Wine need not wait for one when a window is
    # unmapped. Its size is read when the desktop starts, so the wineserver
    # that wrote it is stopped before the run.
    reg_add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default
    reg_add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop"
  fi
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
}
