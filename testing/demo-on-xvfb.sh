#!/bin/sh
# demo-on-xvfb.sh PROGRAM PLAYER PROBE SCREENSHOT: run by tools/demo.sh under
# xvfb-run (with WINEPREFIX set). Starts the stand-in PLAYER in a Wine
# virtual desktop, waits for its window through the PROBE, starts the Windows
# PROGRAM on the same desktop, waits for its main window, saves a screenshot
# and ends Wine. Under an emulated 32-bit Wine a new desktop now and then
# never paints; it is then started again.
program=$1
player=$2
probe=$3
shot=$4
desktop=OrbiquelDemo,640x600

painted() {
    import -window root -crop 1x1+2+2 txt:- 2>/dev/null | grep -v black | grep -q srgb
}

appears() {
    timeout 60 wine "$probe" --desktop=OrbiquelDemo wait-window "$1" timeout=30000 | grep -q 'ok=1'
}

for attempt in 1 2 3; do
    wineserver -w
    wine explorer /desktop=$desktop "$player" &
    for second in $(seq 1 20); do
        painted && break
        sleep 1
    done
    # explorer starts the program on the desktop that is already there.
    if painted && appears "class=Melodrift Window Class" && wine explorer /desktop=$desktop "$program" &&
        appears "title=BETA Orbiquel 0.8"; then
        sleep 3
        import -window root "$shot"
        wineserver -k
        exit 0
    fi
    echo "attempt $attempt: the desktop, the player or the main window did not appear" >&2
    wineserver -k
done
exit 1
