#!/usr/bin/env bash
# Renders each of the five message boxes as Wine draws them, title bar and
# all, to docs/box-N-NAME.png. Runs the real program (64-bit build) in a Wine
# virtual desktop on a virtual X display; the driver pauses at each box until
# its picture is taken.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash tools/setup.sh xvfb x11-apps imagemagick fonts-wine
cmake --preset win64 >/dev/null
cmake --build --preset win64 >/dev/null

convert=/usr/bin/convert
display=:87
width=640 height=480
work=$root/build/shots
prefix=$work/prefix
rm -rf "$work"
mkdir -p "$work"

Xvfb $display -screen 0 ${width}x${height}x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; bash tools/wine-prefix.sh stop "$prefix" || true' EXIT
export DISPLAY=$display
bash tools/wine-prefix.sh create "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
bin=$root/build/win64

# shoot SETUP "NAME..." ANSWER...: one run of the program, a picture of each
# box named (in the order the boxes come; "-" takes none).
shoot() {
  local setup=$1 names=($2)
  shift 2
  local dir=$work/run-$setup
  mkdir -p "$dir"
  $wine "$bin/qmdriver.exe" clear
  [ "$setup" = none ] || $wine "$bin/qmdriver.exe" "$setup" >/dev/null
  $wine explorer /desktop=shots,${width}x${height} "$bin/qmdriver.exe" shots "Z:${dir//\//\\}" "$@" \
    >/dev/null 2>&1 &
  local run=$! n=1
  for name in "${names[@]}"; do
    for _ in $(seq 600); do [ -e "$dir/box-$n.ready" ] && break; sleep 0.1; done
    [ -e "$dir/box-$n.ready" ] || { echo "screenshots: box $n of $setup never appeared" >&2; exit 1; }
    if [ "$name" != - ]; then
      sleep 1  # let the box finish drawing
      # The box alone, on a margin of the desktop's colour.
      xwd -root -silent -display $display -out "$dir/screen.xwd"
      local background
      background=$($convert "$dir/screen.xwd" -format '%[pixel:p{0,0}]' info:)
      $convert "$dir/screen.xwd" -trim +repage -bordercolor "$background" -border 16 \
        -strip "docs/$name.png"
      echo "screenshots: docs/$name.png"
    fi
    touch "$dir/box-$n.done"
    n=$((n + 1))
  done
  wait $run
}

mkdir -p docs
shoot seed "box-1-confirm box-3-question box-4-removed" yes yes ok
shoot none "- box-2-nothing-found" yes ok
shoot seed-broken "- - box-5-not-removed" yes yes ok
