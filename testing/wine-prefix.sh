#!/bin/sh
# wine-prefix.sh PREFIX: makes the private Wine prefix the tests share, once.
prefix=$1
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$prefix"
    wineboot -i || exit 1
fi
wineserver -w
