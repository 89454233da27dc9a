#!/bin/sh
# End-to-end scenarios: the built game in build/ played from outside, in a
# private X server (Xvfb) with real key presses (xdotool) and the developer
# console on standard input; the start-up matrix; the bad-data corpus through
# the game built with the sanitizers (build-asan/, which ./test builds before
# the checks; built here when missing); one game under valgrind's memcheck.
# Needs no display, no standard input and no terminal.
set -e
cd "$(dirname "$0")/../.."
if [ ! -x build-asan/tessary ]; then
    echo "Building the game with the sanitizers for the bad-data corpus"
    cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DTESSARY_SANITIZE=ON -DTESSARY_BENCH=OFF >/dev/null
    cmake --build build-asan --target tessary tessary_data -j"$(nproc)" >/dev/null
fi
exec /usr/bin/python3 tests/e2e/run.py --build build --asan-build build-asan </dev/null
