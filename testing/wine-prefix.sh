#!/bin/sh
# wine-prefix.sh PREFIX [DPI [LOCALE]]: makes a private Wine prefix for the
# tests and the demo, once, and (every time) puts back the settings they rely
# on: Comic Neue standing in for "Comic Sans MS", the dialogs' font, and the
# display's logical resolution (96 dots per inch unless DPI is given).
# With a Unix LOCALE such as ja_JP.UTF-8 the prefix runs in it, and so in its
# code page (932 for Japanese): the locale is compiled into PREFIX/locale,
# where whoever runs Wine in the prefix points LOCPATH and LC_ALL.
# Quiet unless something fails.
prefix=$1
dpi=${2:-96}
locale=$3
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
log="$prefix.log"

fail() {
    echo "wine-prefix.sh: $1 (see $log)" >&2
    cat "$log" >&2
    exit 1
}

mkdir -p "$prefix"
if [ -n "$locale" ]; then
    if [ ! -d "$prefix/locale/$locale" ]; then
        mkdir -p "$prefix/locale"
        localedef -i "${locale%%.*}" -f "${locale#*.}" "$prefix/locale/$locale" >"$log" 2>&1 ||
            fail "the locale $locale could not be compiled"
    fi
    export LOCPATH="$prefix/locale" LC_ALL="$locale"
fi
if [ ! -f "$prefix/system.reg" ]; then
    wineboot -i >"$log" 2>&1 || fail "wineboot failed"
fi

# The user's folders (the desktop among them) are links to the Unix home,
# which for root holds gigabytes; the dialog lists the desktop every time it
# opens. The prefixes made here keep them as folders of their own.
for folder in "$prefix"/drive_c/users/*/*; do
    if [ -L "$folder" ]; then
        rm -f "$folder" && mkdir "$folder" || fail "the user folder $folder could not be made"
    fi
done

# The file dialogs: Wine puts the whole Unix file system on the desktop as a
# folder "/" beside "My Computer". Listing it in "Look in" now and then holds
# the dialog for minutes under the emulator before it shows (about one
# opening in two on a busy machine); without it every opening takes a second
# or two. Nothing of the tests lies behind it: they type Z: paths.
unix_root='Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\Namespace\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}'
settings="$prefix/orbiquel-settings.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Comic Sans MS"="Comic Neue"\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n[-HKEY_LOCAL_MACHINE\\%s]\r\n' \
    "$dpi" "$unix_root" >"$settings"
wine regedit /S "$settings" >>"$log" 2>&1 || fail "the settings could not be imported"


# Let the prefix's server and its helpers end before any test starts: a test
# whose first Wine process meets a server still shutting down can be left
# with a desktop that never paints.
wineserver -w
