#!/bin/sh
# Fuzzes the four data file loaders, the picture loader (as PNG and JPEG) and
# tessary-check's Tiled reader with libFuzzer and the sanitizers, from a copy
# of each corpus (the pictures: fuzz/corpus/picture and some shipped pictures;
# the Tiled reader: fuzz/corpus/tiled and the shipped floors as exported). A
# crash, sanitizer report or leak fails; its input is kept in
# build-fuzz/artifacts/.
set -e
cd "$(dirname "$0")/../.."
seconds=${TESSARY_FUZZ_SECONDS:-30}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTESSARY_FUZZ=ON -DTESSARY_TESTS=OFF -DTESSARY_BENCH=OFF >/dev/null
cmake --build build-fuzz --target fuzz_targets tessary_art tessary-check -j"$(nproc)"

rm -rf build-fuzz/artifacts && mkdir -p build-fuzz/artifacts
for loader in map npcs quests shop png jpg tiled; do
    echo "-- fuzzing the $loader loader for $seconds seconds"
    corpus=build-fuzz/corpus-$loader
    rm -rf "$corpus"
    case $loader in
    png | jpg) cp -r fuzz/corpus/picture "$corpus" &&
        cp build-fuzz/data/gfx/tiles/03.png build-fuzz/data/gfx/clouds.jpg "$corpus/" ;;
    tiled) cp -r fuzz/corpus/tiled "$corpus" &&
        build-fuzz/tessary-check --gfx build-fuzz/data/gfx --export-tiled data "$corpus-export" \
            >/dev/null && cp "$corpus-export"/floor*.tmx "$corpus/" && rm -rf "$corpus-export" ;;
    *) cp -r "fuzz/corpus/$loader" "$corpus" ;;
    esac
    # An exported floor is some 30 KB.
    max_len=16384
    [ "$loader" = tiled ] && max_len=65536
    if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "build-fuzz/fuzz/fuzz_$loader" -max_total_time="$seconds" -max_len="$max_len" \
        -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
        -artifact_prefix="build-fuzz/artifacts/$loader-" "$corpus" \
        >"build-fuzz/fuzz-$loader.log" 2>&1; then
        tail -n 60 "build-fuzz/fuzz-$loader.log"
        echo "The $loader loader's fuzzer found a fault (log: build-fuzz/fuzz-$loader.log)"
        exit 1
    fi
    grep -E '^stat::number_of_executed_units|^Done' "build-fuzz/fuzz-$loader.log" || true
done
