#!/usr/bin/env bash
# Makes or ends a throwaway Wine prefix for running the Windows programs.
#   wine-prefix.sh create PREFIX [null]   new prefix; "null": no display needed
#   wine-prefix.sh stop PREFIX            end its wineserver
set -euo pipefail

action=${1:?usage: wine-prefix.sh create|stop PREFIX [null]}
prefix=${2:?usage: wine-prefix.sh create|stop PREFIX [null]}
driver=${3:-}

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

case $action in
  create)
    [ -e "$prefix/wineserver" ] && $wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
    mkdir -p "$prefix"
    $wine wineboot -i >/dev/null 2>&1
    if [ "$driver" = null ]; then
      $wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    fi
    # Restart the server so that the desktop comes up with the chosen driver.
    $wineserver -k 2>/dev/null || true
    $wineserver -w
    # The server stays up between the programs of one run, so each starts fast;
    # it must not hold on to the caller's output, or the caller waits for it.
    $wineserver -p </dev/null >/dev/null 2>&1
    ;;
  stop)
    $wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "wine-prefix.sh: unknown action $action" >&2
    exit 2
    ;;
esac
