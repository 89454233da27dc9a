#!/bin/sh
# The browser build: builds build-web/, then plays it in headless Chromium
# against the desktop game in build/ (tests/web/check.py).
set -e
cd "$(dirname "$0")/../.."
./scripts/build-web.sh build-web
./scripts/web-driver.sh
exec /usr/bin/python3 tests/web/check.py build build-web </dev/null
