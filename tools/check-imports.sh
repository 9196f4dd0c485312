#!/usr/bin/env bash
# Fails when a binary imports a function that Windows 2000/XP do not have.
# Every imported name must be declared by the mingw-w64 headers with _WIN32_WINNT=0x0500:
# a C file takes the address of each, and an undeclared name is a compile error.
# usage: check-imports.sh <i686 mingw gcc> <binary>...
set -euo pipefail
cc=$1; shift
objdump=${cc%-gcc*}-objdump
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d); trap "rm -rf \"$work\"" EXIT; [ -n "${KEEP_WORK:-}" ] && trap - EXIT && echo "work: $work"
# Start-up and exit code of the C runtime that its headers do not declare; msvcrt.dll of
# Windows 2000 exports all of them.
allowed=$(grep -v '^#' "$here/crt-internal-imports.txt" || true)
# Functions the headers declare for every version although Windows 2000 lacks them.
too_new=$(grep -v '^#' "$here/post-win2000-functions.txt" || true)
status=0
for bin in "$@"; do
  "$objdump" -p "$bin" | awk '
    /DLL Name:/ { dll=tolower($3); next }
    /^\s*$/ { next }
    /^(The Export Tables|PE File Base Relocations)/ { dll="" }
    dll != "" && $1 ~ /^[0-9a-f]+$/ && $2 ~ /^[0-9]+$/ && $3 ~ /^[A-Za-z_?@]/ { print dll, $3 }' > "$work/imports"
  [ -s "$work/imports" ] || { echo "no imports read from $bin"; status=1; continue; }
  late=$(awk '{print $2}' "$work/imports" | grep -xF "$too_new" || true)
  if [ -n "$late" ]; then
    echo "$bin imports functions that Windows 2000 lacks (look them up at run time):"
    printf '  %s\n' $late
    status=1
  fi
  {
    echo '#define _WIN32_WINNT 0x0500'
    echo '#define WINVER 0x0500'
    echo '#define _WIN32_IE 0x0500'
    echo '#define SECURITY_WIN32'
    for h in windows.h shlobj.h shellapi.h shlwapi.h wininet.h winineti.h commctrl.h commdlg.h \
             psapi.h tlhelp32.h objbase.h oleauto.h sddl.h winver.h \
             stdio.h stdlib.h string.h wchar.h time.h locale.h signal.h setjmp.h math.h \
             process.h io.h errno.h ctype.h float.h fcntl.h malloc.h conio.h direct.h assert.h; do
      echo "#include <$h>"
    done
    echo 'void *purvex_imports[] = {'
    while read -r dll name; do
      if grep -qx "$name" <<<"$allowed"; then continue; fi
      echo "  (void *)&$name, /* $dll */"
    done < "$work/imports"
    echo '};'
  } > "$work/imports.c"
  if ! "$cc" -c -o "$work/imports.o" -Werror=implicit-function-declaration "$work/imports.c" \
       2> "$work/errors"; then
    echo "$bin imports functions missing on Windows 2000/XP:"
    grep -oE "‘[A-Za-z_0-9]+’ undeclared" "$work/errors" | sort -u | sed 's/^/  /' || true
    grep -q undeclared "$work/errors" || cat "$work/errors"
    status=1
  else
    echo "$bin: $(wc -l < "$work/imports") imports, all on Windows 2000/XP"
  fi
done
exit $status
