#!/bin/sh
# The installed game and its Debian package. The game built in build/ is
# installed into a temporary prefix and started from another folder with only
# the installed files; its desktop entry, AppStream metadata, icons and manual
# pages are validated. The package is built from a copy of the checkout the
# way a packager would, checked by lintian (any error or warning fails),
# unpacked into a throwaway root whose game is started from another folder,
# then built again in another folder, later, and compared byte for byte.
set -e
cd "$(dirname "$0")/../.."
work=$(mktemp -d /tmp/tessary-install-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "install check failed: $*" >&2
    exit 1
}
for tool in desktop-file-validate appstreamcli man python3 lintian dpkg-deb cpack sha256sum; do
    command -v "$tool" >/dev/null || fail "$tool is missing (scripts/deps.sh installs it)"
done
id=org.tessary.tessary

# Starts an installed game ($1) from another folder with a home of its own
# ($2): the first start sets up the per-user data link and waits on the title.
start_installed() {
    mkdir -p "$2" "$work/elsewhere"
    status=0
    (cd "$work/elsewhere" && env -u XDG_DATA_HOME HOME="$2" SDL_VIDEODRIVER=dummy \
        SDL_AUDIODRIVER=dummy timeout 10 "$1" >"$work/out.txt" 2>"$work/err.txt") || status=$?
    [ "$status" -eq 124 ] && grep -qx "Fonts loaded. OK" "$work/out.txt" && [ ! -s "$work/err.txt" ] ||
        { cat "$work/out.txt" "$work/err.txt"; fail "$1 did not load quietly up to the title ($status)"; }
    [ "$(readlink -f "$2/.local/share/tessary/data")" = "$(readlink -f "$(dirname "$1")/../share/tessary/data")" ] ||
        fail "$1 made no per-user data link to its installed data"
}

# cmake --install, as the README has it.
prefix="$work/prefix"
icons=share/icons/hicolor
cmake --install build --prefix "$prefix" >/dev/null
for file in games/tessary games/tessary-check share/tessary/data/map.qor share/tessary/data/gfx/title.png \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml $icons/scalable/apps/$id.svg \
    share/man/man6/tessary.6.gz share/man/man6/tessary-check.6.gz share/doc/tessary/copyright; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
font=$prefix/share/tessary/data/font.ttf
case $(readlink "$font") in
/*) fail "the font link is absolute" ;;
esac
[ -r "$font" ] || fail "the font is not a link to the system's font"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry"
# Without the network: the home page and the screenshots' addresses are not
# fetched.
echo "appstreamcli's report on $id.metainfo.xml:"
appstreamcli validate --pedantic --no-net --no-color "$prefix/share/metainfo/$id.metainfo.xml" ||
    fail "AppStream metadata"
# Each screenshot it names is one of the game's frames in packaging/screenshots/.
shots=$(sed -n 's|.*<image[^>]*>https://tessary.org/screenshots/\(.*\)</image>|\1|p' \
    "$prefix/share/metainfo/$id.metainfo.xml")
[ -n "$shots" ] || fail "no screenshots in the AppStream metadata"
for shot in $shots; do
    file "packaging/screenshots/$shot" | grep -q "PNG image data, 640 x 480" || fail "screenshot $shot"
done
for page in tessary tessary-check; do
    warnings=$(LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/man6/$page.6.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "manual page warnings in $page: $warnings"
done
# Each icon the size its folder says, and the scalable one the same picture.
python3 scripts/checks/icons.py "$prefix/$icons" $id || fail "icons"
start_installed "$prefix/games/tessary" "$work/home"

# The package. Every file's time in it is the last commit's.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

# Builds the package of the checkout's files (committed or not) in $1: a
# fresh folder, the game and its checker only.
build_package() {
    mkdir -p "$1/source"
    git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xf - -C "$1/source"
    cmake -S "$1/source" -B "$1/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARY_TESTS=OFF \
        -DTESSARY_BENCH=OFF -DTESSARY_FUZZ=OFF -DTESSARY_CHECKER=ON >/dev/null
    cmake --build "$1/build" -j2 >"$1/build.log" 2>&1 || { cat "$1/build.log"; fail "the build in $1"; }
    (cd "$1/build" && cpack -G DEB -B "$1/package" >/dev/null) || fail "cpack in $1"
    set -- "$1"/package/tessary_*.deb
    [ -f "$1" ] || fail "no package was made"
    package=$1
}

build_package "$work/first"
first=$package
echo "lintian's report on $(basename "$first"):"
lintian --fail-on error,warning "$first" 2>/dev/null || fail "lintian has errors or warnings"
echo "(end of lintian's report)"

# Unpacked into a throwaway root, the system's fonts standing in for the
# package's font dependency.
root="$work/root"
dpkg-deb -x "$first" "$root"
for file in usr/games/tessary usr/games/tessary-check usr/share/tessary/data/map.qor \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/$icons/256x256/apps/$id.png usr/$icons/scalable/apps/$id.svg \
    usr/share/man/man6/tessary.6.gz usr/share/man/man6/tessary-check.6.gz \
    usr/share/doc/tessary/copyright usr/share/doc/tessary/changelog.gz; do
    [ -e "$root/$file" ] || fail "the package lacks /$file"
done
[ "$(readlink "$root/usr/share/tessary/data/font.ttf")" = ../../fonts/truetype/dejavu/DejaVuSans.ttf ] ||
    fail "the package's font is no relative link to DejaVu Sans"
mkdir -p "$root/usr/share/fonts"
ln -s /usr/share/fonts/truetype "$root/usr/share/fonts/truetype"
start_installed "$root/usr/games/tessary" "$work/package-home"
(cd "$work/elsewhere" && "$root/usr/games/tessary-check" "$root/usr/share/tessary/data" >"$work/check.txt") ||
    { cat "$work/check.txt"; fail "the unpacked checker finds problems in the unpacked data"; }

# The second build: another folder (a longer path), at another time.
sleep 1
build_package "$work/second-build-in-another-folder"
sha256sum "$first" "$package"
cmp -s "$first" "$package" || fail "two builds of one checkout differ"
echo "install check passed"
