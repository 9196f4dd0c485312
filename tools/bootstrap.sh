#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Purvex.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

need_root() { if [ "$(id -u)" -ne 0 ]; then echo "sudo"; fi; }
SUDO=$(need_root)

PKGS=(
  cmake ninja-build make g++ gcc
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  wine wine64 wine32:i386 fonts-wine
  xvfb x11-utils imagemagick fontconfig fonts-wqy-microhei locales xz-utils
  googletest tcl dpkg-dev
)

missing=()
# wine32 is an i386 package: dpkg-query needs the architecture spelled out.
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Source entries for `apt-get source sqlite3`, derived from the machine's own apt sources.
add_deb_src() {
  local src=/etc/apt/sources.list.d/purvex-deb-src.sources
  local lst=/etc/apt/sources.list.d/purvex-deb-src.list
  [ -f "$src" ] || [ -f "$lst" ] && return 1
  local added=1
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    case "$f" in *purvex-deb-src*) continue;; esac
    grep -q 'debian' "$f" || continue
    sed -e 's/^Types:.*$/Types: deb-src/' "$f" | $SUDO tee -a "$src" >/dev/null
    echo | $SUDO tee -a "$src" >/dev/null
    added=0
  done
  if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | $SUDO tee "$lst" >/dev/null
    added=0
  fi
  return $added
}

updated=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  missing+=(wine32:i386)
fi
if add_deb_src; then
  $SUDO apt-get update -qq; updated=1
fi
if [ ${#missing[@]} -gt 0 ]; then
  [ $updated = 1 ] || $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# SQLite amalgamation from Debian's source package, built once into the build tree.
build_dir=${1:-$(cd "$(dirname "$0")/.." && pwd)/build}
sqlite_dir="$build_dir/third_party/sqlite"
if [ ! -f "$sqlite_dir/sqlite3.c" ] || [ ! -f "$sqlite_dir/sqlite3.h" ]; then
  src_root="$build_dir/third_party/sqlite-src"
  rm -rf "$src_root"; mkdir -p "$src_root" "$sqlite_dir"
  (cd "$src_root" && apt-get source -qq sqlite3 >/dev/null 2>&1) ||
    { echo "bootstrap: apt-get source sqlite3 failed" >&2; exit 1; }
  tree=$(find "$src_root" -maxdepth 1 -mindepth 1 -type d -name 'sqlite3-*' | head -1)
  mkdir -p "$src_root/bld"
  (cd "$src_root/bld" && "$tree/configure" --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  cp "$src_root/bld/sqlite3.c" "$src_root/bld/sqlite3.h" "$sqlite_dir/"
  rm -rf "$src_root"
fi
