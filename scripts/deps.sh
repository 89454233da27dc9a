#!/bin/sh
# Installs the Debian packages Tessary needs; only what is missing, as root
# directly, otherwise through sudo.
#   deps.sh game   what building and playing the game needs (./play)
#   deps.sh        that, and everything the tests and checks need (./test)
set -e

GAME="cmake g++ make pkg-config
libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-ttf2.0-dev fonts-dejavu-core libstb-dev"
TESTS="libgtest-dev libbenchmark-dev libexpat1-dev
clang libclang-rt-14-dev
xvfb xdotool x11-utils openbox python3
desktop-file-utils man-db dpkg-dev file
tiled"

if [ "$1" = game ]; then
    PACKAGES=$GAME
else
    PACKAGES="$GAME $TESTS"
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
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends $missing
