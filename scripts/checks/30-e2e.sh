#!/bin/sh
# End to end: the game built in build/ played from outside, in a private X
# server (Xvfb) with real key presses (xdotool) and the developer console on
# standard input; its start-up with a data file missing; its start with no
# display at all. Needs no display, no standard input and no terminal.
set -e
cd "$(dirname "$0")/../.."
exec /usr/bin/python3 tests/e2e/run.py --build build </dev/null
