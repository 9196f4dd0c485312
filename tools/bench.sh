#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine (win64 bench prefix) and prints their figures.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/build.sh"
export PURVEX_WINE_ROOT="$root/build/wine" PURVEX_PREFIX=win64
"$root/tools/wine-run" "$root/build/win/bin/junk_scan_bench.exe" "$@"
"$root/tools/wine-run" "$root/build/win/bin/trace_scan_bench.exe" "$@"
# The check tree needs a display: a private X server when there is none. The Wine session
# of the benches above has no display and must end first, or the check tree would join it.
if [ -z "${DISPLAY:-}" ]; then
  (. "$root/tools/wine-env.sh"; wineserver -w)
fi
if [ -n "${DISPLAY:-}" ]; then
  "$root/tools/wine-run" "$root/build/win/bin/check_tree_bench.exe"
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tools/wine-run" "$root/build/win/bin/check_tree_bench.exe"
fi
