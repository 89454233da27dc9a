#!/bin/sh
# Installs the Debian packages Tessary needs; only what is missing, as root
# directly, otherwise through sudo.
#   deps.sh game   what building and playing the game needs (./play)
#   deps.sh web    what building and serving the browser build needs (./play --web)
#   deps.sh bench  the peer games the whole-game probe starts beside ours (./bench/run)
#   deps.sh        all but the peers, and everything the tests and checks need (./test)
set -e

GAME="cmake g++ make pkg-config
libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-ttf2.0-dev fonts-dejavu-core libstb-dev"
TESTS="libgtest-dev libbenchmark-dev libexpat1-dev
clang libclang-rt-14-dev
xvfb xdotool x11-utils openbox python3
desktop-file-utils appstream lintian man-db dpkg-dev file
tiled"
# The browser build: Debian's Emscripten, a server for the built folder, and
# the browser and Node.js (with npm) that the web check drives.
WEB="emscripten python3 chromium nodejs"
# Games of the same kind, whose start-up the probe measures beside ours.
PEERS="freedink flare-game freedroidrpg"

if [ "$1" = game ]; then
    PACKAGES=$GAME
elif [ "$1" = web ]; then
    PACKAGES=$WEB
elif [ "$1" = bench ]; then
    PACKAGES=$PEERS
else
    PACKAGES="$GAME $TESTS $WEB"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    SUDO=""
else
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive

# Another install (a second apt-get, the desktop's updater) holds the package
# manager's locks while it runs: wait for them, up to five minutes, instead of
# failing. apt-get waits for dpkg's lock itself; the lock of the package
# lists it does not wait for, so a refusal over a lock is tried again.
LOCK_WAIT_SECONDS=300
aptget() {
    deadline=$(($(date +%s) + LOCK_WAIT_SECONDS))
    log=$(mktemp)
    until $SUDO apt-get -o DPkg::Lock::Timeout=$LOCK_WAIT_SECONDS "$@" 2>"$log"; do
        if ! grep -qi "lock" "$log" || [ "$(date +%s)" -ge "$deadline" ]; then
            cat "$log" >&2
            rm -f "$log"
            return 1
        fi
        echo "Waiting for another install to finish..."
        sleep 5
    done
    cat "$log" >&2
    rm -f "$log"
}

aptget update -q
aptget install -y -q --no-install-recommends $missing
