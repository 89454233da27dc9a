#!/bin/sh
# Installs the page's driver for the web check and the web benchmark:
# playwright-core from npm into tests/web/node_modules, exactly as
# tests/web/package-lock.json pins it, again whenever the lock changed. It
# drives Debian's /usr/bin/chromium and never downloads a browser.
set -e
cd "$(dirname "$0")/../tests/web"
if ! cmp -s package-lock.json node_modules/.installed-lock.json; then
    PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 npm ci --no-audit --no-fund
    cp package-lock.json node_modules/.installed-lock.json
fi
