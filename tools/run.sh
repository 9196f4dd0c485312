#!/usr/bin/env bash
# Builds Purvex and runs it under Wine in the project's demo Windows (a prefix of its own
# under build/wine/demo, with its own home and trash). Without a display it runs on a
# private X server and saves a screenshot to build/screenshots/purvex.png.
# The shipped 32-bit program runs where this machine executes 32-bit code; elsewhere its
# 64-bit build does. Arguments are passed to Purvex.exe.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
if "$root/tools/can-run-32bit.sh"; then
  b=win
else
  b=win64
  echo "run.sh: this machine cannot execute 32-bit x86 code; the demo runs Purvex's 64-bit build"
fi
"$root/tools/build.sh" "$b"
export PURVEX_WINE_ROOT="$build/wine" PURVEX_PREFIX=demo
# The demo's drive Z: holds the programs it runs and nothing else: a clean in the demo
# cannot reach a file of this machine or of the build.
programs="$PURVEX_WINE_ROOT/demo-programs"
mkdir -p "$programs"
cp -u "$build/$b/dist/"* "$build/$b/bin/demo_seeder.exe" "$programs/"
export PURVEX_BUILD="$programs"
"$root/tools/wine-prefix.sh" demo
. "$root/tools/wine-env.sh"
# Windows keeps "Application Data" and "Local Settings\Application Data" in every profile as
# links to the newer folders, and programs of that time still use them; Wine does not.
for home in "$WINEPREFIX"/drive_c/users/*/; do
  [ "$(basename "$home")" = Public ] && continue
  [ -e "$home/Application Data" ] || ln -s AppData/Roaming "$home/Application Data"
  mkdir -p "$home/Local Settings"
  [ -e "$home/Local Settings/Application Data" ] || ln -s ../AppData/Local "$home/Local Settings/Application Data"
done
# A first scan of the demo shows findings: the seeder leaves usage traces, once.
if [ ! -f "$WINEPREFIX/.purvex-seeded" ]; then
  wine "$programs/demo_seeder.exe" && touch "$WINEPREFIX/.purvex-seeded"
  # The seeder's Wine session has no display; Purvex must not join it.
  wineserver -w
fi
exe="$programs/Purvex.exe"
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
