#!/bin/sh
# Builds the game for web browsers into build-web/ (or the folder given): the
# desktop build in build/ lays out the data tree (text data, art, font), then
# Emscripten compiles the same game code and packs that tree beside it.
set -e
cd "$(dirname "$0")/.."
dir=${1:-build-web}
if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DTESSARY_TESTS=OFF -DTESSARY_BENCH=OFF -DTESSARY_CHECKER=OFF >/dev/null
fi
cmake --build build -j"$(nproc)" --target tessary_data tessary_art
# Where /usr/bin/node is not Debian's own, Emscripten finds Debian's
# JavaScript modules (acorn) only through NODE_PATH.
NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
export NODE_PATH
emcmake cmake -S src/platform/web -B "$dir" -DTESSARY_DATA="$(pwd)/build/data" >/dev/null
cmake --build "$dir" -j"$(nproc)"
