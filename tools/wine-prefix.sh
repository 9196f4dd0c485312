#!/usr/bin/env bash
# Creates (once) and reuses a Wine prefix of the bench: wine-prefix.sh win64|win32
set -euo pipefail
export PURVEX_PREFIX="${1:-win64}"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
stamp="$WINEPREFIX/.purvex-ready"

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

if [ -f "$stamp" ]; then map_drive_z; map_media_drives; exit 0; fi
mkdir -p "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1
wineserver -w
map_drive_z
map_media_drives
# A 64-bit prefix made where Wine has no 32-bit part lacks what the 32-bit half of its
# set-up writes, and every 64-bit Windows has: the classes of the 32-bit registry view.
# They are the 64-bit registrations again (the same server paths, which the 32-bit view
# reads through the redirected system folder), type libraries under "win32".
half64=0
if [ "$WINEARCH" = win64 ] && [ ! -e "$WINEPREFIX/drive_c/windows/syswow64/rundll32.exe" ]; then
  half64=1
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
# Map the faces the interface asks for onto the installed CJK font; no crash dialogs.
# The file lies on C: since no other drive reaches /tmp.
reg="$WINEPREFIX/drive_c/purvex-setup.reg"
iconv -f UTF-8 -t UTF-16LE > "$reg.body" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
"宋体"="WenQuanYi Micro Hei"
"新宋体"="WenQuanYi Micro Hei"
"微软雅黑"="WenQuanYi Micro Hei"
"SimSun"="WenQuanYi Micro Hei"
"NSimSun"="WenQuanYi Micro Hei"
"Microsoft YaHei"="WenQuanYi Micro Hei"
"MS Shell Dlg"="WenQuanYi Micro Hei"
"MS Shell Dlg 2"="WenQuanYi Micro Hei"
"Tahoma"="WenQuanYi Micro Hei"

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
# set-up writes, which every 64-bit Windows has: the 32-bit view's program folders and the
# 32-bit Internet Explorer. The 64-bit build reads them as the 32-bit program does.
ie32="$WINEPREFIX/drive_c/Program Files (x86)/Internet Explorer"
if [ $half64 = 1 ]; then
  iconv -f UTF-8 -t UTF-16LE >> "$reg.body" <<'REG'
[HKEY_LOCAL_MACHINE\Software\Wow6432Node\Microsoft\Windows\CurrentVersion]
"ProgramFilesDir"="C:\\Program Files (x86)"
"CommonFilesDir"="C:\\Program Files (x86)\\Common Files"

REG
  if [ ! -e "$ie32/iexplore.exe" ]; then
    mkdir -p "$ie32"
    cp "$WINEPREFIX/drive_c/Program Files/Internet Explorer/iexplore.exe" "$ie32/"
  fi
fi
{ printf '\xff\xfe'; cat "$reg.body"; } > "$reg"
wine regedit /S 'C:\purvex-setup.reg' >/dev/null 2>&1
wineserver -w
rm -f "$reg" "$reg.body"
touch "$stamp"
