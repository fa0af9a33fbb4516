#!/usr/bin/env bash
# Exits 0 when this host runs 32-bit x86 programs natively, 1 when it does not
# (the kernel refuses them, or they run only through an emulator registered
# with binfmt_misc, such as qemu-user). Prints nothing.
#
# The probe is a tiny i386 Linux program that asks the kernel for its machine
# name: a native 32-bit process on a 64-bit kernel is told "x86_64", while
# qemu-user answers for the CPU it emulates ("i686"). So a registered
# emulator, which makes any i386 program start, does not pass for the real
# thing.
set -u
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
cat >"$work/probe.s" <<'ASM'
        .globl _start
_start:
        movl $122, %eax              # uname(&name)
        movl $name, %ebx
        int $0x80
        xorl %ebx, %ebx              # exit status 0 when the machine field
        cmpl $0x5f363878, name+260   # starts with "x86_" (fifth of six
        je 1f                        # 65-byte fields), else 1
        incl %ebx
1:      movl $1, %eax                # exit(status)
        int $0x80
        .bss
name:   .space 390
ASM
as --32 -o "$work/probe.o" "$work/probe.s" 2>/dev/null &&
  ld -m elf_i386 -o "$work/probe" "$work/probe.o" 2>/dev/null || exit 1
"$work/probe" 2>/dev/null
