#!/usr/bin/env bash
# Installs what is missing, builds QuillmereCheck and runs it under Wine.
#
#   tools/run.sh [--prefix DIR] [ARGUMENTS...]
#
# By default the program runs in a throwaway Wine prefix that holds a sample
# Quillmere registration (program at D:\Tools\Corvelin.exe and the uninstall
# entries of releases 2.0 to 2.2), so there is something to find and remove.
# --prefix DIR, or QUILLMERE_WINEPREFIX=DIR, runs it in that prefix instead,
# as it is: nothing is seeded there and the prefix is kept.
#
# With a display (DISPLAY set) the real message boxes appear. Without one,
# each box is shown in this terminal and the button you type is pressed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

own_prefix=${QUILLMERE_WINEPREFIX:-}
if [ "${1:-}" = --prefix ]; then
  own_prefix=${2:?--prefix needs a folder}
  shift 2
fi

if [ -z "${DISPLAY:-}" ] && [ ! -t 0 ]; then
  echo "run: there is no display and no terminal on standard input to answer the" >&2
  echo "run: message boxes in. Run this from a terminal, or with DISPLAY set." >&2
  exit 1
fi

bash tools/setup.sh
for preset in win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" >/dev/null
done

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
bin=$root/build/win64

if [ -n "$own_prefix" ]; then
  export WINEPREFIX=$own_prefix
  echo "run: using the Wine prefix $WINEPREFIX as it is"
else
  export WINEPREFIX=$root/build/run-prefix
  echo "run: making a throwaway Wine prefix in $WINEPREFIX"
  bash tools/wine-prefix.sh create "$WINEPREFIX" $([ -z "${DISPLAY:-}" ] && echo null)
  $wine "$bin/qmdriver.exe" seed
fi

echo
echo "Before the run:"
$wine "$bin/qmdriver.exe" status
echo

status=0
if [ -n "${DISPLAY:-}" ]; then
  echo "run: QuillmereCheck.exe is showing its message boxes on $DISPLAY"
  code=0
  $wine "$bin/QuillmereCheck.exe" "$@" || code=$?
  echo "QuillmereCheck.exe ended with exit status $code."
else
  # No display: choose Wine's null graphics driver for this run, and put back
  # what an own prefix had chosen before.
  previous=$(bash tools/wine-prefix.sh driver "$WINEPREFIX")
  [ "$previous" = null ] || bash tools/wine-prefix.sh driver "$WINEPREFIX" null
  $wine "$bin/qmdriver.exe" talk "$@" || status=$?
  if [ -n "$own_prefix" ] && [ "$previous" != null ]; then
    bash tools/wine-prefix.sh driver "$WINEPREFIX" "$previous"
  fi
fi

echo
echo "After the run:"
$wine "$bin/qmdriver.exe" status
[ -n "$own_prefix" ] || bash tools/wine-prefix.sh stop "$WINEPREFIX"
exit $status
