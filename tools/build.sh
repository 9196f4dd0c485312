#!/usr/bin/env bash
# Installs what is missing, then builds Purvex, its family libraries, tests and benchmarks
# twice: build/win, the shipped 32-bit product, and build/win64, its 64-bit twin for test
# benches that cannot run 32-bit code. Arguments name the builds to make (default: both).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/tools/bootstrap.sh" "$build"
builds=("$@")
[ ${#builds[@]} -gt 0 ] || builds=(win win64)
for b in "${builds[@]}"; do
  case "$b" in
    win)   toolchain=toolchain-mingw32.cmake ;;
    win64) toolchain=toolchain-mingw64.cmake ;;
    *) echo "build.sh: unknown build $b (win or win64)" >&2; exit 2 ;;
  esac
  if [ ! -f "$build/$b/build.ninja" ]; then
    cmake -S "$root" -B "$build/$b" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null
  fi
  cmake --build "$build/$b" -j2
done
