#!/bin/sh
# Builds the release and packs what a user needs into build/Orbiquel-<version>.zip:
# Orbiquel.exe and its readme orbiquel.txt, nothing else.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
sh tools/build-win32.sh Orbiquel
win32=$root/build/win32

# The version the program's version resource gives, as "0.8".
version=$(sed -n 's/^FILEVERSION \([0-9]*\), *\([0-9]*\).*/\1.\2/p' res/Orbiquel.rc)
archive=$root/build/Orbiquel-$version.zip
staging=$root/build/package
rm -rf "$staging" "$archive"
mkdir -p "$staging"
cp "$win32/app/Orbiquel.exe" "$staging/"
cp res/orbiquel.txt "$staging/"
(cd "$staging" && zip -q -X "$archive" Orbiquel.exe orbiquel.txt)
rm -rf "$staging"
echo "$archive"
