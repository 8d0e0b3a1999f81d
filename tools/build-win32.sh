#!/bin/sh
# build-win32.sh TARGET...: installs what is missing and builds the targets
# in build/win32, the same cross configuration the full build uses.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
sh tools/install-deps.sh
win32=$root/build/win32
cmake -S . -B "$win32" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" -DCMAKE_BUILD_TYPE=MinSizeRel >/dev/null
cmake --build "$win32" -j2 --target "$@"
