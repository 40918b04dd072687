#!/bin/sh
# Installs the build into a scratch DESTDIR and checks what lands there:
# every file in its place, the desktop entry and the metainfo valid, the
# installed program's version the project's.
# Usage: install_test.sh BUILD_DIR VERSION
set -eu
build=$1
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

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

prefix="$root/usr"
app=io.github.velmora.Velmora
for f in bin/velmora share/velmora/velmora.0409.htm share/applications/$app.desktop \
    share/metainfo/$app.metainfo.xml share/man/man6/velmora.6; do
    [ -f "$prefix/$f" ] || fail "$f was not installed"
done
[ -x "$prefix/bin/velmora" ] || fail "bin/velmora is not executable"
# The page the program opens, where it looks from bin/: ../share/velmora/.
cmp -s "$(dirname "$0")/../res/velmora.0409.htm" "$prefix/bin/../share/velmora/velmora.0409.htm" ||
    fail "the installed rules page differs from res/velmora.0409.htm"
for size in 16 32 48 64 128 256; do
    icon="$prefix/share/icons/hicolor/${size}x${size}/apps/velmora.png"
    [ -f "$icon" ] || fail "the ${size}px icon was not installed"
    # The PNG header gives width and height as big-endian words at 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$icon" | tr -s ' ' | sed 's/^ //')
    expected="0 0 $((size / 256)) $((size % 256)) 0 0 $((size / 256)) $((size % 256))"
    [ "$dims" = "$expected" ] || fail "the ${size}px icon is not ${size}x${size}: $dims"
done

desktop-file-validate "$prefix/share/applications/$app.desktop" || fail "desktop entry"
grep -qx "Icon=velmora" "$prefix/share/applications/$app.desktop" || fail "desktop icon name"
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

echo "installed and validated: $(find "$root" -type f | wc -l) files"
