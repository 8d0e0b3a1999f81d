#!/bin/sh
# wine-prefix.sh PREFIX [DPI]: makes a private Wine prefix for the tests and
# the demo, once, and (every time) puts back the settings they rely on:
# Comic Neue standing in for "Comic Sans MS", the dialogs' font, and the
# display's logical resolution (96 dots per inch unless DPI is given).
# Quiet unless something fails.
prefix=$1
dpi=${2:-96}
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
log="$prefix.log"

fail() {
    echo "wine-prefix.sh: $1 (see $log)" >&2
    cat "$log" >&2
    exit 1
}

mkdir -p "$prefix"
if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i >"$log" 2>&1 || fail "wineboot failed"
fi

settings="$prefix/orbiquel-settings.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Comic Sans MS"="Comic Neue"\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n' \
    "$dpi" >"$settings"
wine regedit /S "$settings" >>"$log" 2>&1 || fail "the settings could not be imported"


# Let the prefix's server and its helpers end before any test starts: a test
# whose first Wine process meets a server still shutting down can be left
# with a desktop that never paints.
wineserver -w
