#!/usr/bin/env bash
# Creates (once) and reuses a Wine prefix of the bench: wine-prefix.sh win64|win32
set -euo pipefail
export PURVEX_PREFIX="${1:-win64}"
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
stamp="$WINEPREFIX/.purvex-ready"
[ -f "$stamp" ] && exit 0
mkdir -p "$WINEPREFIX"
wine wineboot --init >/dev/null 2>&1
wineserver -w
# Map the faces the interface asks for onto the installed CJK font.
reg=$(mktemp --suffix=.reg)
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

REG
{ printf '\xff\xfe'; cat "$reg.body"; } > "$reg"
wine regedit /S "$(winepath -w "$reg")" >/dev/null 2>&1
wineserver -w
rm -f "$reg" "$reg.body"
touch "$stamp"
