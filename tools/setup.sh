#!/usr/bin/env bash
# Installs what building and testing QuillmereCheck needs on Debian 12, as
# root. Does nothing when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ googletest libgtest-dev          # host build and tests
  g++-mingw-w64-i686 g++-mingw-w64-x86-64                # the Windows programs
  binutils-mingw-w64-i686 binutils-mingw-w64-x86-64      # windres, objdump
  wine wine64                                            # running them
  python3 python3-pefile icoutils                        # checking the shipped bytes
  clang libclang-rt-14-dev gcovr                         # fuzzing, sanitizers, coverage
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
