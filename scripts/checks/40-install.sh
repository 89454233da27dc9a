#!/bin/sh
# Installs the built game into a temporary prefix and starts it from another
# folder with only the installed files; checks the desktop entry, the manual
# page and the Debian package.
set -e
cd "$(dirname "$0")/../.."
work=$(mktemp -d /tmp/tessary-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
prefix="$work/prefix"
fail() {
    echo "install check failed: $*" >&2
    exit 1
}

cmake --install build --prefix "$prefix" >/dev/null
for file in bin/tessary bin/tessary-check share/tessary/data/map.qor share/tessary/data/gfx/title.png \
    share/applications/tessary.desktop share/icons/hicolor/48x48/apps/tessary.png \
    share/man/man6/tessary.6; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
[ -L "$prefix/share/tessary/data/font.ttf" ] && [ -r "$prefix/share/tessary/data/font.ttf" ] ||
    fail "the font is not a link to the system's font"
desktop-file-validate "$prefix/share/applications/tessary.desktop" || fail "desktop entry"
warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/man6/tessary.6" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "manual page warnings: $warnings"

# The first start sets up the per-user data link and waits on the title screen.
mkdir -p "$work/home" "$work/elsewhere"
status=0
(cd "$work/elsewhere" && env -u XDG_DATA_HOME HOME="$work/home" SDL_VIDEODRIVER=dummy \
    SDL_AUDIODRIVER=dummy timeout 10 "$prefix/bin/tessary" >"$work/out.txt" 2>"$work/err.txt") ||
    status=$?
[ "$status" -eq 124 ] && grep -qx "Fonts loaded. OK" "$work/out.txt" && [ ! -s "$work/err.txt" ] ||
    { cat "$work/out.txt" "$work/err.txt"; fail "the game did not load quietly up to the title ($status)"; }
[ "$(readlink -f "$work/home/.local/share/tessary/data")" = "$(readlink -f "$prefix/share/tessary/data")" ] ||
    fail "no per-user data link to the installed data"

(cd build && cpack -G DEB -B "$work/package" >/dev/null)
info=$(dpkg-deb --info "$work"/package/*.deb)
for dependency in libsdl-image1.2 libsdl-ttf2.0-0 fonts-dejavu-core; do
    echo "$info" | grep -q "Depends:.*$dependency" || fail "the package does not depend on $dependency"
done
dpkg-deb --contents "$work"/package/*.deb | grep "./usr/bin/tessary$" >/dev/null || fail "the package lacks the game"
echo "install check passed"
