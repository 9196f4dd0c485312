#!/usr/bin/env bash
# Builds everything and runs every test: the Windows tests under Wine (in the bench's own
# prefixes, home and trash, on a private X server), the native core tests and the
# Windows 2000/XP import check. Exits non-zero when any test fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
start=$(date +%s)
"$root/tools/build.sh"
export PURVEX_WINE_ROOT="$build/wine"
# First starts of a prefix race each other: initialise both before the tests run.
"$root/tools/wine-prefix.sh" win64 & p1=$!
"$root/tools/wine-prefix.sh" win32 & p2=$!
wait $p1; wait $p2
set +e
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build/win" -j2 --output-on-failure "$@"
rc=$?
set -e
for p in win64 win32; do PURVEX_PREFIX=$p bash -c ". '$root/tools/wine-env.sh'; wineserver -k" 2>/dev/null || true; done
echo "test command: $(( $(date +%s) - start )) s, ctest exit code $rc"
exit $rc
