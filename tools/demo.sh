#!/bin/sh
# Runs Orbiquel on a demo installation: a stand-in Melodrift folder with a
# dozen stand-in plug-ins and the stand-in player running, in a private Wine
# prefix under build/demo. On your display when $DISPLAY is set; otherwise on
# Xvfb, leaving a screenshot in build/demo-screenshot.png.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)

# Only the program, the stand-in player and plug-ins and the probe.
sh tools/build-win32.sh Orbiquel standin_host standin_named standin_noexport orbiquel_probe
win32=$root/build/win32

demo=$root/build/demo
prefix=$demo/wineprefix
echo "Preparing the Wine prefix (the first time takes a while)..."
sh testing/wine-prefix.sh "$prefix"

# A fresh installation every time, so the demo always starts the same way.
rm -rf "$demo/Melodrift" "$demo/Orbiquel"
mkdir -p "$demo/Orbiquel"
cp "$win32/app/Orbiquel.exe" "$demo/Orbiquel/"
cp res/orbiquel.txt "$demo/Orbiquel/"
sh testing/plugins/lay-out-vis.sh "$win32/testing/plugins" "$demo/Melodrift/Vis" <<'EOF'
named|001_Aurora.svp|Aurora Drift 2.0
named|002_Fire.svp|Fire Storm
named|003_Neon.svp|Neon Tunnel
named|004_Plasma.svp_disabled|Plasma Bloom
named|005_Starfield.svp|Starfield 3D
named|006_Kaleido.svp|Kaleidoscope
noexport|007_Heritage.svp
named|008_Lava.svp_disabled|Lava Lamp
named|009_Rings.svp|Oscillo Rings
named|010_Milky.svp|Milky Way
named|011_Ice.svp_disabled|Ice Age
named|012_Rain.svp|Pixel Rain
named|Deep/deep.svp|Deep Sea Glow
file|readme.txt|not a plug-in
EOF
cp "$win32/testing/host/Melodrift.exe" "$demo/Melodrift/"
# The old library without a name of its own gets one by hand.
printf '[LockedVis]\r\nHeritage=Heritage Classic\r\n' > "$demo/Orbiquel/orbiquel.ini"

winpath() { printf 'Z:%s' "$1" | sed 's|/|\\\\|g'; }
key='HKEY_CURRENT_USER\Software\Kestrelworks\Melodrift\General Preferences 0.80'
# The player starts on a plug-in (position 6: the third one).
printf 'REGEDIT4\r\n\r\n[%s]\r\n"MelodriftPath"="%s"\r\n"VisNumber"="6"\r\n' \
    "$key" "$(winpath "$demo/Melodrift")" > "$demo/host.reg"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wine regedit /S "$demo/host.reg"

program=$(winpath "$demo/Orbiquel/Orbiquel.exe" | sed 's|\\\\|\\|g')
player=$(winpath "$demo/Melodrift/Melodrift.exe" | sed 's|\\\\|\\|g')
probe=$win32/testing/probe/orbiquel_probe.exe
if [ -n "$DISPLAY" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Orbiquel and the stand-in player are running on your display; close Orbiquel to end the demo."
    wine "$player" &
    wine "$probe" wait-window "class=Melodrift Window Class" timeout=30000 >/dev/null || true
    wine "$program" || true
    wineserver -k
    exit 0
fi

# No display: run on Xvfb in a Wine virtual desktop and photograph it.
shot=$root/build/demo-screenshot.png
xvfb-run -a -s "-screen 0 640x600x24" \
    sh testing/demo-on-xvfb.sh "$program" "$player" "$probe" "$shot"
echo "No display: the demo ran on Xvfb; screenshot in $shot"
