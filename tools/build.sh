#!/usr/bin/env bash
# Installs what is missing, then builds Purvex, its family libraries and its tests.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/tools/bootstrap.sh" "$build"
if [ ! -f "$build/win/build.ninja" ]; then
  cmake -S "$root" -B "$build/win" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw32.cmake" >/dev/null
fi
cmake --build "$build/win" -j2
