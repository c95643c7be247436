#!/usr/bin/env bash
# Makes, configures or ends a Wine prefix for running the Windows programs.
#   wine-prefix.sh create PREFIX [null]   new throwaway prefix; "null": no display needed
#   wine-prefix.sh driver PREFIX          prints the graphics driver chosen (empty: Wine's default)
#   wine-prefix.sh driver PREFIX VALUE    chooses it ("null", "x11"; "" for Wine's default)
#   wine-prefix.sh stop PREFIX            ends its wineserver
set -euo pipefail

usage='usage: wine-prefix.sh create|driver|stop PREFIX [VALUE]'
action=${1:?$usage}
prefix=${2:?$usage}

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
drivers='HKCU\Software\Wine\Drivers'

# Chooses the graphics driver; an empty choice leaves it to Wine.
set_driver() {
  if [ -n "$1" ]; then
    $wine reg add "$drivers" /v Graphics /d "$1" /f >/dev/null 2>&1
  else
    $wine reg delete "$drivers" /v Graphics /f >/dev/null 2>&1 || true
  fi
}

# Ends the server, so that the next program brings the desktop up again with
# the driver now chosen.
stop_server() {
  $wineserver -k 2>/dev/null || true
  $wineserver -w
}

case $action in
  create)
    if [ -e "$prefix/wineserver" ]; then stop_server; fi
    rm -rf "$prefix"
    mkdir -p "$prefix"
    $wine wineboot -i >/dev/null 2>&1
    [ "${3:-}" != null ] || set_driver null
    stop_server
    # The server stays up between the programs of one run, so each starts fast;
    # it must not hold on to the caller's output, or the caller waits for it.
    $wineserver -p </dev/null >/dev/null 2>&1
    ;;
  driver)
    if [ $# -ge 3 ]; then
      set_driver "$3"
      stop_server
    else
      $wine reg query "$drivers" /v Graphics 2>/dev/null | awk '/Graphics/ {print $3}' || true
    fi
    ;;
  stop)
    stop_server
    ;;
  *)
    echo "wine-prefix.sh: unknown action $action" >&2
    exit 2
    ;;
esac
