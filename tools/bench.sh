#!/bin/sh
# bench.sh [PLUG-INS]: builds everything and runs every benchmark (the
# scan, Save and Undo, the list's own), then prints each ratio beside its goal
# and whether it was met. PLUG-INS (default 2000) sizes the scan and Save.
# The full logs stay in build/bench/. Exits 1 when a goal was missed or a
# benchmark gave no ratio. Run it while no other Wine tests run: the scan
# times the real program, and a busy machine only ever adds time.
set -e
cd "$(dirname "$0")/.."
root=$(pwd)
plugins=${1:-2000}
sh tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j2
prefix=$root/build/win32/wineprefix
sh testing/wine-prefix.sh "$prefix"
logs=$root/build/bench
mkdir -p "$logs"

# Each benchmark's output goes to the screen and to its log; a failed one is
# noted, and the others still run.
run() {
    name=$1; shift
    echo "== $name"
    if ! "$@" 2>&1 | tee "$logs/$name.log"; then
        echo "$name stopped" >>"$logs/failed"
    fi
}
rm -f "$logs/failed"
set +e
run scan build/tests/catalogue/catalogue_scan_benchmark "$plugins"
run save sh testing/wine-run.sh "$prefix" build/win32/tests/host/host_save_benchmark.exe "$plugins"
run list xvfb-run -a -s "-screen 0 1280x1024x24" sh testing/wine-run.sh "$prefix" \
    build/win32/tests/listview/listview_tests.exe --gtest_also_run_disabled_tests --gtest_filter='ListBenchmark.*'

echo
echo "== ratios (each against its goal)"
status=0
for name in scan save list; do
    ratios=$(grep -h 'goal at most' "$logs/$name.log" | tr -d '\r')
    if [ -z "$ratios" ]; then
        echo "$name: no ratio (see $logs/$name.log)"
        status=1
        continue
    fi
    echo "$ratios"
    if echo "$ratios" | grep -q 'MISSED$'; then
        status=1
    fi
done
met=$(cat "$logs"/scan.log "$logs"/save.log "$logs"/list.log | tr -d '\r' | grep -c 'goal at most.*: met$')
missed=$(cat "$logs"/scan.log "$logs"/save.log "$logs"/list.log | tr -d '\r' | grep -c 'goal at most.*: MISSED$')
echo "goals met: $met, missed: $missed"
[ -f "$logs/failed" ] && cat "$logs/failed" && status=1
exit $status
