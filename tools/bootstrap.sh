#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build and test Purvex.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo

PKGS=(
  cmake ninja-build make g++ gcc
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine
  xvfb xauth x11-utils imagemagick fontconfig fonts-wqy-microhei locales xz-utils file
  googletest tcl dpkg-dev
)

# Wine's 32-bit part only where this machine executes 32-bit code: elsewhere it installs
# but can never start.
run32=0
if "$here/can-run-32bit.sh"; then
  run32=1
  PKGS+=(wine32:i386)
fi

missing=()
for p in "${PKGS[@]}"; do
  # wine32 is an i386 package: dpkg-query needs the architecture spelled out.
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

# Source entries for `apt-get source sqlite3`, derived from the machine's own apt sources
# (same archives); the machine's own files are never edited.
add_deb_src() {
  local src=/etc/apt/sources.list.d/purvex-deb-src.sources
  local lst=/etc/apt/sources.list.d/purvex-deb-src.list
  { [ -f "$src" ] || [ -f "$lst" ]; } && return 1
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

# Multiarch needs the same version of a shared library for both architectures; the
# security archive sometimes has only one side for a while. Versions from the main archive
# are preferred for new installs, so both architectures resolve to versions that exist.
add_multiarch_preference() {
  local pref=/etc/apt/preferences.d/purvex-multiarch
  [ -f "$pref" ] && return 0
  printf '%s\n' \
    '# Purvex bootstrap: prefer versions that both architectures have (main archive).' \
    'Package: *' 'Pin: release l=Debian-Security' 'Pin-Priority: 100' |
    $SUDO tee "$pref" >/dev/null
}

# An index that fails to download (a mirror in the middle of a sync) is a warning: the
# install goes on with the indexes that loaded and fails only if a package cannot be had.
apt_update() {
  $SUDO apt-get update -qq || echo "bootstrap: warning: some package indexes failed to download; going on with those that loaded" >&2
}

updated=0
if [ $run32 = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  add_multiarch_preference
  updated=2
fi
if add_deb_src; then
  updated=2
fi
if [ ${#missing[@]} -gt 0 ] || [ $updated = 2 ]; then
  apt_update
fi
if [ ${#missing[@]} -gt 0 ]; then
  if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    echo "bootstrap: installing ${missing[*]} failed; apt says:" >&2
    for p in "${missing[@]}"; do
      DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -s -qq --no-install-recommends "$p" >/dev/null 2>&1 ||
        { echo "bootstrap: cannot install $p:" >&2
          $SUDO apt-get install -s --no-install-recommends "$p" 2>&1 | grep -E '^(E:| )' | head -20 >&2; }
    done
    exit 1
  fi
fi

if ! locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$'; then
  $SUDO sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  $SUDO locale-gen >/dev/null
fi

# SQLite amalgamation from Debian's source package, built once into the build tree.
build_dir=$(realpath -m "${1:-$here/../build}")
sqlite_dir="$build_dir/third_party/sqlite"
if [ ! -f "$sqlite_dir/sqlite3.c" ] || [ ! -f "$sqlite_dir/sqlite3.h" ]; then
  src_root="$build_dir/third_party/sqlite-src"
  rm -rf "$src_root"; mkdir -p "$src_root" "$sqlite_dir"
  if ! (cd "$src_root" && apt-get source -qq sqlite3 >/dev/null 2>&1); then
    # The source index may be the one that failed to load a moment ago.
    apt_update
    (cd "$src_root" && apt-get source -qq sqlite3 >/dev/null 2>&1) ||
      { echo "bootstrap: apt-get source sqlite3 failed" >&2; exit 1; }
  fi
  tree=$(find "$src_root" -maxdepth 1 -mindepth 1 -type d -name 'sqlite3-*' | head -1)
  mkdir -p "$src_root/bld"
  (cd "$src_root/bld" && "$tree/configure" --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  cp "$src_root/bld/sqlite3.c" "$src_root/bld/sqlite3.h" "$sqlite_dir/"
  rm -rf "$src_root"
fi
