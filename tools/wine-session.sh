# Sourced, not run. A private X display and Wine prefix for one run of tests or
# benchmarks: wine_session_start exports DISPLAY and WINEPREFIX; wine_session_stop ends
# the programs of the prefix, its Wine server and the X server, and removes the prefix.
# wine_prefix_start readies the new prefix WINEPREFIX on its own (the end-to-end tests
# make a second one for a power-off), at 96 dots per inch or at the one it is given;
# wine_at_dpi runs a command in such a prefix of its own.

wine_session_start() {
  local fdfile
  fdfile=$(mktemp)
  # -displayfd picks a free display number and reports it once the server is ready.
  # Its own session, so that a Ctrl+C meant for the script does not end the display.
  setsid Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  WINE_SESSION_XVFB_PID=$!
  local waited=0
  until [ -s "$fdfile" ]; do
    sleep 0.1
    waited=$((waited + 1))
    if [ "$waited" -ge 100 ]; then
      echo "wine-session: Xvfb did not start" >&2
      return 1
    fi
  done
  export DISPLAY=":$(head -n 1 "$fdfile")"
  rm -f "$fdfile"

  WINE_SESSION_PREFIX=$(mktemp -d /tmp/pellomar-wine.XXXXXX)
  export WINEPREFIX="$WINE_SESSION_PREFIX"
  export WINEDEBUG=-all
  # Without this a new prefix may offer to install Mono or Gecko in a blocking dialog.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  trap wine_session_stop EXIT
  wine_prefix_start
}

# Boots WINEPREFIX and keeps its Wine session open: returns once that session is up, with
# the keeper's PID in WINE_PREFIX_KEEPER_PID; with an argument, its screen has that many
# dots per inch (144 is 150 %). Every command's output goes to /dev/null:
# a Wine server that a command starts inherits its output, and whoever reads that output
# would wait for the server's end.
wine_prefix_start() {
  timeout 120 wineboot -i >/dev/null 2>&1 || return 1
  # No window manager runs on this display; a window Wine thinks is managed waits two
  # seconds for one at every hide.
  timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || return 1
  if [ -n "${1:-}" ]; then
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1 ||
      return 1
  fi
  # wineboot returns while the prefix's first session is still winding down, and a program
  # started just as that session's Wine server exits can hang for over a minute: let it end.
  # The next session reads the scale anew.
  timeout 60 wineserver -w || return 1
  # Wine closes its desktop a few seconds after the last program ends, and the next
  # program then waits seconds for a new one. A command prompt that waits forever on a
  # pipe it holds both ends of keeps the desktop open.
  mkfifo "$WINEPREFIX/keeper"
  wine cmd.exe /q /k <>"$WINEPREFIX/keeper" >/dev/null 2>&1 &
  WINE_PREFIX_KEEPER_PID=$!
  # Any program returns only after the session it joined has booted.
  timeout 60 wine cmd.exe /c exit >/dev/null 2>&1
}

# Runs a command in a new Wine prefix of its own whose screen has DPI dots per inch (144
# is 150 %), on the session's display, and removes the prefix afterwards; returns the
# command's exit code:   wine_at_dpi DPI COMMAND [ARGUMENT...]
wine_at_dpi() {
  (
    WINEPREFIX=$(mktemp -d /tmp/pellomar-dpi.XXXXXX)
    export WINEPREFIX
    trap 'kill "${WINE_PREFIX_KEEPER_PID:-}" 2>/dev/null; timeout 30 wineserver -k; rm -rf "$WINEPREFIX"' EXIT
    wine_prefix_start "$1"
    "${@:2}"
  )
}

wine_session_stop() {
  if [ -n "${WINE_SESSION_PREFIX:-}" ]; then
    kill "${WINE_PREFIX_KEEPER_PID:-}" 2>/dev/null || true
    timeout 30 wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINE_SESSION_PREFIX"
    WINE_SESSION_PREFIX=
  fi
  if [ -n "${WINE_SESSION_XVFB_PID:-}" ]; then
    kill "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    wait "$WINE_SESSION_XVFB_PID" 2>/dev/null || true
    WINE_SESSION_XVFB_PID=
  fi
}
