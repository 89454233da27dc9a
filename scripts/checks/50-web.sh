#!/bin/sh
# The browser build: builds build-web/, then plays it in headless Chromium
# against the desktop game in build/ (tests/web/check.py). The page's driver,
# playwright-core, comes from npm as tests/web/package-lock.json pins it; it
# never downloads a browser of its own.
set -e
cd "$(dirname "$0")/../.."
./scripts/build-web.sh build-web
# Installed again whenever the lock file changed since the last install.
if ! cmp -s tests/web/package-lock.json tests/web/node_modules/.installed-lock.json; then
    (cd tests/web && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund &&
        cp package-lock.json node_modules/.installed-lock.json)
fi
exec /usr/bin/python3 tests/web/check.py build build-web </dev/null
