#!/bin/sh
# Installs what is missing, builds everything and runs every test
# (native, Win32 under Wine, end to end under Xvfb), then each fuzz target
# for half a minute.
set -e
cd "$(dirname "$0")/.."
sh tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2
cd build
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j2
cd ..
sh tools/fuzz.sh 30
