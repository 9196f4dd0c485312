#!/usr/bin/env bash
# Builds and runs the benchmarks under Wine and prints their figures: the shipped 32-bit
# build in the win64 (WoW64) bench prefix where this machine executes 32-bit code, else
# the 64-bit build in the x64 prefix.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if "$root/tools/can-run-32bit.sh"; then
  b=win; prefix=win64
else
  b=win64; prefix=x64
fi
echo "bench.sh: benchmarks of build/$b (prefix $prefix)"
"$root/tools/build.sh" "$b"
export PURVEX_WINE_ROOT="$root/build/wine" PURVEX_PREFIX=$prefix PURVEX_BUILD="$root/build/$b"
bin="$root/build/$b/bin"
"$root/tools/wine-run" "$bin/junk_scan_bench.exe" "$@"
"$root/tools/wine-run" "$bin/trace_scan_bench.exe" "$@"
"$root/tools/wine-run" "$bin/clean_bench.exe" "$@"
# The registry bench fills a prefix of its own with tens of thousands of keys.
(export PURVEX_PREFIX=$prefix-registry-bench; "$root/tools/wine-prefix.sh" "$PURVEX_PREFIX" && \
  "$root/tools/wine-run" "$bin/registry_group_bench.exe")
# The check tree needs a display: a private X server when there is none. The Wine session
# of the benches above has no display and must end first, or the check tree would join it.
if [ -z "${DISPLAY:-}" ]; then
  (. "$root/tools/wine-env.sh"; wineserver -w)
fi
if [ -n "${DISPLAY:-}" ]; then
  "$root/tools/wine-run" "$bin/check_tree_bench.exe"
else
  xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tools/wine-run" "$bin/check_tree_bench.exe"
fi
