#!/usr/bin/env bash
# Proves that the shipped program builds to the same bytes every time: two
# clean Release builds of the win32 configuration, from two copies of the
# sources in different folders, must give byte-identical executables, equal
# to build/win32/QuillmereCheck.exe when that exists, and to the SHA-256 that
# the README states.
#
#   tools/reproduce.sh            check all of that
#   tools/reproduce.sh --print    only print the SHA-256 of a clean build
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

work=$(mktemp -d /tmp/quillmere-reproduce.XXXXXX)
trap 'rm -rf "$work"' EXIT

build() {  # build SOURCE-DIR BUILD-DIR
  cmake -S "$1" -B "$2" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$1/cmake/i686-w64-mingw32.cmake" >/dev/null
  cmake --build "$2" --target QuillmereCheck >/dev/null
  sha256sum "$2/QuillmereCheck.exe" | cut -d' ' -f1
}

# The second copy lives at a longer, different path, so that any build path
# that leaked into the program would show.
mkdir -p "$work/a" "$work/elsewhere/second copy"
for dir in "$work/a" "$work/elsewhere/second copy"; do
  tar -C "$root" --exclude=./build --exclude=./.git -cf - . | tar -C "$dir" -xf -
done
first=$(build "$work/a" "$work/a/build")
second=$(build "$work/elsewhere/second copy" "$work/elsewhere/out")

if [ "${1:-}" = --print ]; then
  echo "$first"
  exit 0
fi

echo "reproduce: first build  $first"
echo "reproduce: second build $second"
status=0
if [ "$first" != "$second" ]; then
  echo "reproduce: FAILED: the two clean builds differ" >&2
  status=1
fi
if [ -e build/win32/QuillmereCheck.exe ]; then
  here=$(sha256sum build/win32/QuillmereCheck.exe | cut -d' ' -f1)
  echo "reproduce: build/win32  $here"
  [ "$here" = "$first" ] || { echo "reproduce: FAILED: build/win32 differs from a clean build" >&2; status=1; }
fi
stated=$(sed -n 's/^SHA-256 of QuillmereCheck.exe: `\([0-9a-f]\{64\}\)`.*/\1/p' README.md)
echo "reproduce: README states $stated"
[ "$stated" = "$first" ] || { echo "reproduce: FAILED: README.md states another SHA-256" >&2; status=1; }
[ $status = 0 ] && echo "reproduce: the build is reproducible and matches the README"
exit $status
