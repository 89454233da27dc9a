#!/bin/sh
# Installs the Debian packages Tessary needs to build, test and run.
# Only what is missing is installed; as root directly, otherwise via sudo.
set -e

PACKAGES="cmake g++ make pkg-config
libsdl1.2-compat-dev libsdl-image1.2-dev libsdl-ttf2.0-dev fonts-dejavu-core
libgtest-dev libbenchmark-dev libstb-dev libexpat1-dev
clang libclang-rt-14-dev
xvfb xdotool x11-utils python3
desktop-file-utils man-db dpkg-dev file
tiled"

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
