# Sourced by the bench scripts: the environment every Wine process of the project runs in.
# PURVEX_WINE_ROOT: folder that holds the prefixes and the fake home (default build/wine).
# PURVEX_PREFIX: win64 (WoW64, the 32-bit build), win32, x64 (the 64-bit build), demo.
# PURVEX_BUILD: the build folder whose programs run in the prefix; it becomes drive Z:.
: "${PURVEX_WINE_ROOT:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/wine}"
: "${PURVEX_PREFIX:=win64}"
# Wine does not resolve ".." in the paths it builds from HOME (its trash among them).
PURVEX_WINE_ROOT=$(realpath -m "$PURVEX_WINE_ROOT")
export PURVEX_WINE_ROOT PURVEX_PREFIX
export WINEPREFIX="$PURVEX_WINE_ROOT/$PURVEX_PREFIX"
case "$PURVEX_PREFIX" in
  win32*) export WINEARCH=win32 ;;
  *)      export WINEARCH=win64 ;;
esac
# Wine links the profile's Desktop and Documents to $HOME and the recycle bin to the
# XDG trash: both point into the bench so a clean can never reach a developer's files.
# Each prefix has its own, so the prefixes' recycle bins never mix.
export HOME="$PURVEX_WINE_ROOT/home/$PURVEX_PREFIX"
export XDG_DATA_HOME="$HOME/.local/share"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_CACHE_HOME="$HOME/.cache"
# Chinese system: ANSI code page 936.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko prompts, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
# The recycle bin: Wine uses this trash only when its folders exist.
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
# Wine's loader of the prefix's own bitness. Where Wine has its 32-bit part, `wine NAME`
# starts the 32-bit build of Wine's own programs (regedit, reg, cmd), which in a 64-bit
# prefix read and write HKLM\Software through Wow6432Node; Wine's services and the 64-bit
# programs read the 64-bit keys. Programs named by their path need none of this: Wine
# picks the loader from the file.
wine_native() {
  if [ "$WINEARCH" = win64 ]; then /usr/lib/wine/wine64 "$@"; else wine "$@"; fi
}
