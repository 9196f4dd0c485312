#!/usr/bin/env bash
# Builds everything and runs Purvex under Wine in the project's demo Windows (a prefix of
# its own under build/wine/demo, with its own home and trash). Without a display it runs
# on a private X server and saves a screenshot to build/screenshots/purvex.png.
# Arguments are passed to Purvex.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
"$root/tools/build.sh"
export PURVEX_WINE_ROOT="$build/wine" PURVEX_PREFIX=demo
"$root/tools/wine-prefix.sh" demo
. "$root/tools/wine-env.sh"
# A first scan of the demo shows findings: the seeder leaves usage traces, once.
if [ ! -f "$WINEPREFIX/.purvex-seeded" ]; then
  wine "$build/win/bin/demo_seeder.exe" && touch "$WINEPREFIX/.purvex-seeded"
  # The seeder's Wine session has no display; Purvex must not join it.
  wineserver -w
fi
exe="$build/win/dist/Purvex.exe"
if [ -n "${DISPLAY:-}" ]; then
  wine "$exe" "$@"
  exit 0
fi
mkdir -p "$build/screenshots"
shot="$build/screenshots/purvex.png"
export exe shot
# The first start of a new prefix on a display can take half a minute: wait until the
# screen shows more than the empty desktop, then give the window a moment to paint.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$exe" "$@" & pid=$!
  for ((i = 0; i < ${PURVEX_DEMO_SECONDS:-90}; i += 2)); do
    sleep 2
    import -window root "$shot"
    [ "$(identify -format %k "$shot")" -gt 16 ] && break
  done
  sleep 3
  import -window root "$shot"
  wineserver -k; wait $pid 2>/dev/null || true' purvex "$@"
echo "screenshot: $shot"
