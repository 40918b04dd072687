#!/bin/sh
# Installs the build into a scratch DESTDIR, in the standard layout and in
# Debian's games layout, and checks what lands there: every file in its
# place, the installed program opening its installed rules page (under Xvfb,
# where there is one), the desktop entry and the metainfo valid, the
# installed program's version the project's.
# Usage: install_test.sh BUILD_DIR VERSION
set -eu
build=$(cd "$1" && pwd)
version=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null 2>&1 ||
        fail "$tool is missing (tools/install-deps test installs desktop-file-utils and appstream)"
done

here=$(cd "$(dirname "$0")" && pwd)
app=io.github.velmora.Velmora

# checks LAYOUT PROGRAM_DIR DATA_DIR: what an install into $prefix holds.
checks() {
    for f in "$2/velmora" "$3/velmora.0409.htm" share/applications/$app.desktop \
        share/metainfo/$app.metainfo.xml share/man/man6/velmora.6; do
        [ -f "$prefix/$f" ] || fail "$1: $f was not installed"
    done
    [ -x "$prefix/$2/velmora" ] || fail "$1: $2/velmora is not executable"
    cmp -s "$here/../res/velmora.0409.htm" "$prefix/$3/velmora.0409.htm" ||
        fail "$1: the installed rules page differs from res/velmora.0409.htm"
    for size in 16 32 48 64 128 256; do
        for name in velmora $app; do
            icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$name.png"
            [ -f "$icon" ] || fail "$1: the ${size}px icon $name.png was not installed"
            # The PNG header gives width and height as big-endian words at 16 and 20.
            dims=$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')
            expected="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
            [ "$dims" = "$expected" ] || fail "$1: the ${size}px icon is not ${size}x${size}: $dims"
        done
    done
    # The installed program opens the page from where it was installed,
    # when there is an X server to run it in.
    status=0
    "$here/window/rules.sh" "$prefix/$2/velmora" "file://$prefix/$3/velmora.0409.htm#99" \
        >"$root/rules.log" 2>&1 || status=$?
    case $status in
        0) ;;
        77) echo "$1: the installed Rules command was not tried: $(tail -1 "$root/rules.log")" ;;
        *) cat "$root/rules.log" >&2; fail "$1: the installed program did not open its installed rules page" ;;
    esac
}

# Debian's games layout, from the same install rules without a second build.
mkdir "$root/games-layout"
printf 'cmake_minimum_required(VERSION 3.25)\nproject(velmora_games_layout NONE)\ninclude("%s/../data/Install.cmake")\n' \
    "$here" >"$root/games-layout/CMakeLists.txt"
cmake -S "$root/games-layout" -B "$root/games-build" -DVELMORA_GAMES_LAYOUT=ON \
    -DVELMORA_PROGRAM_FILE="$build/velmora" >"$root/games-build.log" 2>&1 ||
    { cat "$root/games-build.log" >&2; fail "the games layout could not be configured"; }
DESTDIR="$root/games" cmake --install "$root/games-build" --prefix /usr >/dev/null
prefix="$root/games/usr"
checks "games layout" games share/games/velmora
[ ! -e "$prefix/bin" ] || fail "games layout: something went to bin/"

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
prefix="$root/usr"
checks "standard layout" bin share/velmora

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
grep -qx "Icon=$app" "$prefix/share/applications/$app.desktop" || fail "desktop icon name"
grep -qx "Exec=velmora" "$prefix/share/applications/$app.desktop" || fail "desktop command"
appstreamcli validate --no-net "$prefix/share/metainfo/$app.metainfo.xml" || fail "metainfo"
grep -q "<release version=\"$version\"" "$prefix/share/metainfo/$app.metainfo.xml" ||
    fail "the metainfo's newest release is not $version"
grep -q "\"Velmora $version\"" "$prefix/share/man/man6/velmora.6" ||
    fail "the manual page is not of version $version"

# The About template is kept scrambled in the program (wide strings are
# 32-bit little-endian here).
if command -v strings >/dev/null 2>&1; then
    strings -eL "$prefix/bin/velmora" | grep -q 'version %d' && fail "the About template is stored in the clear"
    strings -eL "$prefix/bin/velmora" | grep -q 'file:velmora.0409.htm' || fail "strings cannot read the program's texts"
fi

out=$("$prefix/bin/velmora" --version) || fail "velmora --version failed"
[ "$out" = "Velmora $version" ] || fail "velmora --version printed '$out'"

echo "installed and validated: $(find "$root/usr" -type f | wc -l) files"
