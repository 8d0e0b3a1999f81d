#!/bin/sh
# fuzz.sh [SECONDS]: builds the fuzz targets (clang's libFuzzer with
# AddressSanitizer and UBSan, in build/fuzz) and runs each for SECONDS
# (default 60) on its seeds. A crash ends the script with an error and leaves
# the input that caused it in build/fuzz/crashes; the corpus grows in
# build/fuzz/corpus from run to run.
set -e
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz

cmake -S . -B $build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DORBIQUEL_FUZZ=ON >/dev/null
cmake --build $build -j2 --target fuzz_dib_file fuzz_profile_format fuzz_save_journal fuzz_plugin_image fuzz_set >/dev/null

# fuzz TARGET SEED...: one target's run on its seeds and the corpus so far.
fuzz() {
    target=$1
    shift
    corpus=$build/corpus/$target
    mkdir -p "$corpus" $build/crashes
    cp "$@" "$corpus/"
    echo "== $target, $seconds s"
    $build/tests/fuzz/$target -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix=$build/crashes/$target- "$corpus" 2>$build/$target.log || {
        tail -n 60 $build/$target.log
        exit 1
    }
    grep -E 'DONE|stat::number_of_executed_units' $build/$target.log
}

fuzz fuzz_dib_file tests/fuzz/seeds/dib/* res/*.bmp
fuzz fuzz_profile_format tests/fuzz/seeds/profile/*
fuzz fuzz_save_journal tests/fuzz/seeds/journal/*
fuzz fuzz_plugin_image tests/fuzz/seeds/image/*
fuzz fuzz_set tests/fuzz/seeds/set/*
