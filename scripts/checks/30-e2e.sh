#!/bin/sh
# End to end: the game built in build/ played in a private Xvfb with real key
# presses (tests/e2e/run.py).
set -e
cd "$(dirname "$0")/../.."
exec /usr/bin/python3 tests/e2e/run.py build </dev/null
