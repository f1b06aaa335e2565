#!/usr/bin/env bash
# The Debian package as `make package` makes it (here from the test build): its library
# dependencies found by dpkg-shlibdeps are Debian's SDL2 runtime packages, the font packages are
# named beside them, it holds the game where Debian keeps games, and lintian finds no error.
set -euo pipefail
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "$1"; exit 1; }

(cd "$build" && cpack -G DEB -B "$out") >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; fail "cpack failed"; }
deb=$(ls "$out"/mivo_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for p in libsdl2-2.0-0 libsdl2-image-2.0-0 libsdl2-mixer-2.0-0 libsdl2-ttf-2.0-0 \
    fonts-crosextra-carlito fonts-comfortaa; do
    grep -qE "(^|, )$p( |,|$)" <<<"$depends" || fail "Depends lacks $p: $depends"
done
dpkg-deb -c "$deb" >"$out/contents"
for f in ./usr/games/mivo ./usr/share/applications/mivo.desktop \
    ./usr/share/metainfo/io.github.mivo.metainfo.xml ./usr/share/mivo/levels/; do
    grep -qF " $f" "$out/contents" || fail "the package lacks $f"
done
lintian --fail-on error "$deb" || fail "lintian found errors"
echo "package built; lintian finds no error"
