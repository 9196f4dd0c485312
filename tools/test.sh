#!/usr/bin/env bash
# Builds everything and runs every test: the Windows tests under Wine (in the bench's own
# prefixes, home and trash, on a private X server), the native core tests and the
# Windows 2000/XP import check. Exits non-zero when any test fails.
#
# The 64-bit build always runs its tests, in the 64-bit prefix x64. The shipped 32-bit
# build runs its tests in the prefixes win64 (WoW64) and win32 only where this machine
# executes 32-bit code (tried, not guessed); its import check and the native run of the
# text rules run everywhere. Arguments are passed to ctest.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
start=$(date +%s)
"$root/tools/build.sh"
export PURVEX_WINE_ROOT="$build/wine"

run32=0
"$root/tools/can-run-32bit.sh" && run32=1

# First starts of a prefix race each other: initialise them all before the tests run, and
# check each from inside (drive kinds, font substitutes, both bitnesses where they run),
# so that a broken prefix stops the run with its cause instead of failing unrelated tests.
init_prefix() { PURVEX_BUILD="$build/$2" "$root/tools/wine-prefix.sh" "$1" check; }
pids=()
init_prefix x64 win64 & pids+=($!)
if [ $run32 = 1 ]; then
  init_prefix win64 win & pids+=($!)
  init_prefix win32 win & pids+=($!)
fi
for p in "${pids[@]}"; do wait "$p"; done

set +e
xvfb-run -a -s "-screen 0 1280x1024x24" \
  ctest --test-dir "$build/win64" -j2 --output-on-failure "$@"
rc64=$?
if [ $run32 = 1 ]; then
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build/win" -j2 --output-on-failure "$@"
  rc32=$?
else
  echo "32-bit runs skipped: this machine cannot execute 32-bit x86 code (the win64 and win32 prefixes need it); the 32-bit build's import check and the native tests run below"
  ctest --test-dir "$build/win" -j2 --output-on-failure -LE wine "$@"
  rc32=$?
fi
set -e
# ctest shows the output of failed programs only: name the skipped cases of the others.
for b in win64 win; do
  log="$build/$b/Testing/Temporary/LastTest.log"
  [ -f "$log" ] && grep -a '^\[  SKIPPED \] [A-Za-z].* ms)' "$log" | sed 's/ ([0-9]* ms)//' | sort -u | sed "s|^|$b: |" || true
done
for p in x64 win64 win32; do
  [ -d "$PURVEX_WINE_ROOT/$p" ] || continue
  PURVEX_PREFIX=$p bash -c ". '$root/tools/wine-env.sh'; wineserver -k" 2>/dev/null || true
done
echo "test command: $(( $(date +%s) - start )) s, ctest exit codes: 64-bit build $rc64, 32-bit build $rc32"
[ $rc64 = 0 ] && [ $rc32 = 0 ]
