#!/bin/sh
# wine-prefix.sh PREFIX [DPI [LOCALE [no-mount-manager]]]: makes a private Wine prefix for the
# tests and the demo, once, and (every time) puts back the settings they rely
# on: Comic Neue standing in for "Comic Sans MS", the dialogs' font, and the
# display's logical resolution (96 dots per inch unless DPI is given).
# With a Unix LOCALE such as ja_JP.UTF-8 the prefix runs in it, and so in its
# code page (932 for Japanese): the locale is compiled into PREFIX/locale,
# where whoever runs Wine in the prefix points LOCPATH and LC_ALL.
# With no-mount-manager the prefix starts no mount manager (see below).
# Quiet unless something fails.
prefix=$1
dpi=${2:-96}
locale=$3
mount_manager=$4
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
# which for root holds gigabytes; a file dialog lists the desktop every time
# it opens. The prefixes made here keep them as folders of their own.
for folder in "$prefix"/drive_c/users/*/*; do
    if [ -L "$folder" ]; then
        rm -f "$folder" && mkdir "$folder" || fail "the user folder $folder could not be made"
    fi
done

# Wine also puts the whole Unix file system on the desktop as a folder "/"
# beside "My Computer", which a file dialog lists as it opens as well. Nothing
# of the tests lies behind it: they give Z: paths. (Neither of the two is what
# hung the dialogs: see the mount manager below.)
unix_root='Software\Microsoft\Windows\CurrentVersion\Explorer\Desktop\Namespace\{9D20AAE8-0625-44B0-9CA7-71889C2254D9}'
settings="$prefix/orbiquel-settings.reg"
printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"Comic Sans MS"="Comic Neue"\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\r\n"LogPixels"=dword:%08x\r\n\r\n[-HKEY_LOCAL_MACHINE\\%s]\r\n' \
    "$dpi" "$unix_root" >"$settings"

# The file dialogs ask the mount manager for the label of every drive as they
# open. Its answer comes back to the asking thread as a signal whenever that
# thread is not yet waiting for it, which is most of the time under the
# emulator. qemu-i386 keeps one thread-area table for all the threads of a
# process, so the signal handler's reload of %fs gives the thread the block
# of the process's newest thread (the OLE thread the first dialog starts, or
# any thread of the program). The thread then waits in the other's name for
# an answer that never comes: the dialog hangs as it opens. Without the mount
# manager, a drive's label is read in the program itself, no signal is sent,
# and the dialogs always open; "My Computer" lists no drives then, and
# QueryDosDevice knows none, so only the tests that open file dialogs use
# such a prefix.
if [ "$mount_manager" = no-mount-manager ]; then
    printf '\r\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\MountMgr]\r\n"Start"=dword:00000004\r\n' \
        >>"$settings"
fi
wine regedit /S "$settings" >>"$log" 2>&1 || fail "the settings could not be imported"


# Let the prefix's server and its helpers end before any test starts: a test
# whose first Wine process meets a server still shutting down can be left
# with a desktop that never paints.
wineserver -w
