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

# Each benchmark's output goes to the screen and to its log; one that
# fails is noted, and the others still run.
run() {
    name=$1; shift
    echo "== $name"
    { "$@" 2>&1; echo "$?" >"$logs/$name.status"; } | tee "$logs/$name.log"
    status=$(cat "$logs/$name.status")
    [ "$status" = 0 ] || echo "$name stopped with status $status" >>"$logs/failed"
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
ratios=
for name in scan save list; do
    found=$(tr -d '\r' <"$logs/$name.log" | grep 'goal at most')
    if [ -z "$found" ]; then
        found="$name: no ratio (see $logs/$name.log)"
        status=1
    fi
    echo "$found"
    ratios="$ratios$found
"
done
met=$(echo "$ratios" | grep -c ': met$')
missed=$(echo "$ratios" | grep -c ': MISSED$')
echo "goals met: $met, missed: $missed"
[ "$missed" = 0 ] || status=1
[ -f "$logs/failed" ] && cat "$logs/failed" && status=1
exit $status
