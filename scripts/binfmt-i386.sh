#!/bin/sh
# Lets 32-bit x86 ELF programs (the 32-bit Wine loader) run under qemu-i386: this kernel has no IA-32 emulation.
# Idempotent; needs root. Not persistent across reboots.
set -eu
QEMU=${QEMU_I386:-/usr/bin/qemu-i386}
BM=/proc/sys/fs/binfmt_misc
[ -e $BM/register ] || mount -t binfmt_misc binfmt_misc $BM
if [ -e $BM/qemu-i386 ] && ! grep -qx "interpreter $QEMU" $BM/qemu-i386; then
  echo -1 > $BM/qemu-i386              # an entry pointing at another (older) qemu
fi
[ -e $BM/qemu-i386 ] || printf '%s' ":qemu-i386:M::\\x7fELF\\x01\\x01\\x01\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x02\\x00\\x03\\x00:\\xff\\xff\\xff\\xff\\xff\\xfe\\xfe\\x00\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xff\\xfe\\xff\\xff\\xff:$QEMU:F" > $BM/register
grep -q '^enabled' $BM/qemu-i386
