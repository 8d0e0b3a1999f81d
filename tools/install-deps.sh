#!/bin/sh
# Installs what building, testing and the demo need on Debian 12 (as root).
# Safe to run again: it only adds what is missing.
set -e

packages="cmake make g++ libgtest-dev googletest g++-mingw-w64-i686-posix binutils-mingw-w64-i686
wine wine32:i386 wine64 wine32-preloader:i386 libwine:i386 xvfb xauth xdotool x11-utils imagemagick
fonts-comic-neue qemu-user-static python3 clang libclang-rt-14-dev locales zip"

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
    apt-get update -q
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends $missing
fi

# Wine's 32-bit half is a 32-bit Linux program. Kernels built without 32-bit
# support run it through qemu's user-mode emulator instead.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    binfmt=/proc/sys/fs/binfmt_misc
    [ -f $binfmt/register ] || mount -t binfmt_misc binfmt_misc $binfmt
    [ -f $binfmt/qemu-i386 ] || printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:FP' > $binfmt/register
    /lib/ld-linux.so.2 --version >/dev/null 2>&1 || { echo "cannot run 32-bit programs here" >&2; exit 1; }
fi
