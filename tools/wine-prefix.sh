#!/usr/bin/env bash
# Creates (once) and reuses a Wine prefix of the bench: wine-prefix.sh PREFIX [check]
# With "check" (and always right after the set-up) the prefix is checked from inside, by a
# program of each bitness that can run here; a prefix that is not as the set-up makes it
# fails with a message naming what is wrong.
set -euo pipefail
export PURVEX_PREFIX="${1:-win64}"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
stamp="$WINEPREFIX/.purvex-ready"
# The registry part of the set-up has a stamp of its own: prefixes made before it named
# each key's view get it again (the import is idempotent).
registry_stamp="$WINEPREFIX/.purvex-registry-2"

# Wine maps Z: to the machine's root, and Z: is a fixed disk to Windows: a scan of every
# disk would walk this machine's files, and a clean could delete them. Z: is the build
# folder whose programs run here (Wine then names them Z:\bin\...), or nothing at all.
map_drive_z() {
  local z="$WINEPREFIX/dosdevices/z:"
  if [ -n "${PURVEX_BUILD:-}" ]; then
    local target; target=$(realpath "$PURVEX_BUILD")
    [ "$(readlink "$z" 2>/dev/null)" = "$target" ] || ln -sfn "$target" "$z"
  else
    rm -f "$z"
  fi
}

# Two drives that are no fixed disks, for the rules that leave removable and network media
# alone: R: a removable disk and N: a network share, each an empty folder of the prefix
# (their kinds are set in the registry below; Wine reads them when its mount manager
# starts).
map_media_drives() {
  local d
  for d in r n; do
    mkdir -p "$WINEPREFIX/media-$d"
    ln -sfn "../media-$d" "$WINEPREFIX/dosdevices/$d:"
  done
}

# Runs the prefix-check program of both bitnesses where they can run (a 32-bit process
# only where this machine executes 32-bit code) and fails naming every fault they print.
check_prefix() {
  local bits cc exe out rc=0 failed=0
  for bits in 64 32; do
    [ "$bits" = 64 ] && [ "$WINEARCH" = win32 ] && continue
    [ "$bits" = 32 ] && ! "$here/can-run-32bit.sh" && continue
    [ "$bits" = 64 ] && cc=x86_64-w64-mingw32-gcc || cc=i686-w64-mingw32-gcc
    exe="$WINEPREFIX/drive_c/purvex-prefix-check-$bits.exe"
    "$cc" -O1 -o "$exe" "$here/prefix-check.c" -lgdi32
    out=$(wine "C:\\purvex-prefix-check-$bits.exe" 2>/dev/null | tr -d '\r') || rc=$?
    rm -f "$exe"
    if [ $rc != 0 ] || [ -n "$out" ]; then
      echo "wine-prefix.sh: the prefix $PURVEX_PREFIX ($WINEPREFIX) is not as its set-up makes it:" >&2
      printf '%s\n' "${out:-the $bits-bit check program did not run (exit code $rc)}" >&2
      failed=1
    fi
    rc=0
  done
  # The check's Wine session has no display: a program started on one must not join it.
  wineserver -w
  [ $failed = 0 ] || { echo "wine-prefix.sh: remove $WINEPREFIX to make it again" >&2; return 1; }
}

if [ -f "$stamp" ] && [ -f "$registry_stamp" ]; then
  map_drive_z; map_media_drives
  [ "${2:-}" = check ] && check_prefix
  exit 0
fi
mkdir -p "$WINEPREFIX"
if [ ! -f "$stamp" ]; then
  wine_native wineboot --init >/dev/null 2>&1
  wineserver -w
fi
map_drive_z
map_media_drives
# A 64-bit prefix made where Wine has no 32-bit part lacks what the 32-bit half of its
# set-up writes, and every 64-bit Windows has: the classes of the 32-bit registry view.
# They are the 64-bit registrations again (the same server paths, which the 32-bit view
# reads through the redirected system folder), type libraries under "win32".
half64=0
[ "$WINEARCH" = win64 ] && [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/rundll32.exe" ] && half64=1
if [ ! -f "$stamp" ]; then
  if [ $half64 = 1 ]; then
    awk '
      /^\[/ { mirror = ($0 ~ /^\[Software\\\\Classes\\\\(CLSID|Interface|TypeLib)(\\\\|\])/) }
      mirror {
        line = $0
        if (line ~ /^\[/) {
          # "[Software\\Classes\\" is 20 characters long.
          line = "[Software\\\\Classes\\\\Wow6432Node\\\\" substr(line, 21)
          if (line ~ /TypeLib/ && match(line, /\\\\win64\]/))
            line = substr(line, 1, RSTART + 4) "32" substr(line, RSTART + 7)
        }
        print line
      }' "$WINEPREFIX/system.reg" > "$WINEPREFIX/system.reg.mirror"
    { echo; cat "$WINEPREFIX/system.reg.mirror"; } >> "$WINEPREFIX/system.reg"
    rm -f "$WINEPREFIX/system.reg.mirror"
  fi
  # This Wine build does not pick up its own TrueType fonts (Marlett draws the caption
  # buttons); from the prefix's Fonts folder it does.
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  touch "$stamp"
fi

# Map the faces the interface asks for onto the installed CJK font; no crash dialogs.
# Every key names its view: the file is imported by the editor of the prefix's own
# bitness, and keys of the 32-bit view of a 64-bit prefix are written under Wow6432Node.
# The file lies on C: since no other drive reaches /tmp.
font_substitutes() {
  cat <<REG
[HKEY_LOCAL_MACHINE\\Software\\$1Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"宋体"="WenQuanYi Micro Hei"
"新宋体"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"

REG
}
reg="$WINEPREFIX/drive_c/purvex-setup.reg"
{
  printf 'Windows Registry Editor Version 5.00\n\n'
  font_substitutes ""
  if [ "$WINEARCH" = win64 ]; then font_substitutes 'Wow6432Node\'; fi
  cat <<'REG'
; Wine's mount manager reads the drive types from the 64-bit view.
[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"r:"="floppy"
"n:"="network"

; A crash prints its backtrace instead of waiting for a click on the crash dialog.
[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

; Wine draws the window frames itself. Without a window manager (Xvfb), managed windows
; would also wait two seconds for one whenever they close.
[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"

REG
  # A 64-bit prefix made where Wine has no 32-bit part lacks what the 32-bit half of its
  # set-up writes, which every 64-bit Windows has: the 32-bit view's program folders. The
  # 64-bit build reads them as the 32-bit program does.
  if [ $half64 = 1 ]; then
    cat <<'REG'
[HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion]
"ProgramFilesDir"="C:\\Program Files (x86)"
"CommonFilesDir"="C:\\Program Files (x86)\\Common Files"

REG
  fi
} | iconv -f UTF-8 -t UTF-16LE > "$reg.body"
# ... and the 32-bit Internet Explorer.
ie32="$WINEPREFIX/drive_c/Program Files (x86)/Internet Explorer"
if [ $half64 = 1 ] && [ ! -e "$ie32/iexplore.exe" ]; then
  mkdir -p "$ie32"
  cp "$WINEPREFIX/drive_c/Program Files/Internet Explorer/iexplore.exe" "$ie32/"
fi
{ printf '\xff\xfe'; cat "$reg.body"; } > "$reg"
wine_native regedit /S 'C:\purvex-setup.reg' >/dev/null 2>&1
wineserver -w
rm -f "$reg" "$reg.body"
check_prefix
touch "$registry_stamp"
