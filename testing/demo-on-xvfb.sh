#!/bin/sh
# demo-on-xvfb.sh PROGRAM PROBE SCREENSHOT: run by tools/demo.sh under
# xvfb-run (with WINEPREFIX set). Starts the Windows PROGRAM in a Wine
# virtual desktop, waits for its main window through the PROBE, saves a
# screenshot and ends Wine. Under an emulated 32-bit Wine a new desktop now
# and then never paints; it is then started again.
program=$1
probe=$2
shot=$3

painted() {
    import -window root -crop 1x1+2+2 txt:- 2>/dev/null | grep -v black | grep -q srgb
}

for attempt in 1 2 3; do
    wineserver -w
    wine explorer /desktop=OrbiquelDemo,640x600 "$program" &
    for second in $(seq 1 20); do
        painted && break
        sleep 1
    done
    if painted && timeout 60 wine "$probe" --desktop=OrbiquelDemo wait-window "title=BETA Orbiquel 0.8" \
        timeout=30000 | grep -q 'ok=1'; then
        sleep 3
        import -window root "$shot"
        wineserver -k
        exit 0
    fi
    echo "attempt $attempt: the desktop or the main window did not appear" >&2
    wineserver -k
done
exit 1
