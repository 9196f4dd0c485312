#!/usr/bin/env bash
# Exits 0 when this machine executes 32-bit x86 code, 1 when it does not. Decided by trying:
# a minimal i386 ELF program (exit(42) through int 0x80) is written and run. A kernel with
# IA-32 emulation switched off refuses it ("Exec format error"); then Wine cannot run a
# 32-bit Windows program either, in neither of its 32-bit modes.
# PURVEX_ONLY_64BIT=1 lets a person try the 64-bit-only path by hand; nothing sets it.
set -u
[ "${PURVEX_ONLY_64BIT:-0}" = 1 ] && exit 1
probe=$(mktemp "${TMPDIR:-/tmp}/purvex-i386-probe.XXXXXX") || exit 1
trap 'rm -f "$probe"' EXIT
# ELF header (52 bytes), one loadable segment (32 bytes), then
#   mov eax,1 / mov ebx,42 / int 0x80
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000'\
'\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000'\
'\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'\
'\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010'\
'\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000'\
'\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' > "$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? -eq 42 ]
