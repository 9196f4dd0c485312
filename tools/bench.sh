#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine (win64 bench prefix) and prints their figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
export PURVEX_WINE_ROOT="$root/build/wine" PURVEX_PREFIX=win64
"$root/tools/wine-run" "$root/build/win/bin/junk_scan_bench.exe" "$@"
