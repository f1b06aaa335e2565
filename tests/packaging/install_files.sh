#!/usr/bin/env bash
# `make install DESTDIR=...` as a packager stages it: the install into a scratch folder holds
# the game, the resource tree (fonts as links to Debian's font files, no generator stamp), every
# shipped level file, the desktop entry, both icons and the AppStream metadata, all below the
# prefix; the desktop entry and the metadata pass their validators.
set -euo pipefail
build=$1
src=$2
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$stage.log" 2>&1 ||
    { cat "$stage.log"; rm -f "$stage.log"; exit 1; }
rm -f "$stage.log"
root="$stage/usr"
fail() { echo "$1"; exit 1; }

[ -z "$(find "$stage" -mindepth 1 -maxdepth 1 ! -name usr)" ] || fail "files outside the prefix"
for f in games/mivo share/applications/mivo.desktop share/icons/hicolor/256x256/apps/mivo.png \
    share/icons/hicolor/scalable/apps/mivo.svg share/metainfo/io.github.mivo.metainfo.xml \
    share/man/man6/mivo.6.gz share/man/man1/mivo-check.1.gz share/doc/mivo/copyright share/doc/mivo/changelog.gz \
    share/mivo/ressources/ide/icon.png share/mivo/ressources/sounds/musics/vesk.ogg \
    share/mivo/templates/blank/0.lvl; do
    [ -f "$root/$f" ] || fail "missing: $f"
done
[ -x "$root/games/mivo" ] || fail "games/mivo is not executable"
file "$root/share/icons/hicolor/256x256/apps/mivo.png" | grep -q '256 x 256' ||
    fail "the icon is not 256 x 256"
for font in calibri intensa; do
    link="$root/share/mivo/ressources/fonts/$font.ttf"
    [ -L "$link" ] || fail "$font.ttf is no link to a Debian font"
    # Below /usr the link is relative, as Debian wants links within /usr.
    target=$(readlink "$link")
    case $target in /*) fail "$font.ttf links to $target, not relatively" ;; esac
    cmp -s "$(realpath -m "/usr/share/mivo/ressources/fonts/$target")" \
        "$src/ressources/fonts/$font.ttf" || fail "$font.ttf links to another face"
done
[ ! -e "$root/share/mivo/ressources/.stamp" ] || fail "the generator's stamp is installed"
# The resource tree whole (but the fonts, linked, and the icons, in the desktop's folders), and
# every file of every shipped level.
(cd "$src/ressources" && find . -type f ! -name .stamp ! -path './fonts/*' ! -path './icons/*' |
    sort) >"$stage/want"
(cd "$root/share/mivo/ressources" && find . -type f | sort) >"$stage/have"
diff "$stage/want" "$stage/have" >/dev/null || { diff "$stage/want" "$stage/have" | head; fail "resource tree differs"; }
(cd "$src/levels" && find . -type f | sort) >"$stage/want"
(cd "$root/share/mivo/levels" && find . -type f | sort) >"$stage/have"
[ -s "$stage/want" ] && diff "$stage/want" "$stage/have" >/dev/null ||
    { diff "$stage/want" "$stage/have" | head; fail "shipped levels differ"; }

desktop-file-validate "$root/share/applications/mivo.desktop" || fail "desktop entry refused"
grep -q '^Categories=Game;ArcadeGame;$' "$root/share/applications/mivo.desktop" ||
    fail "desktop entry is not in Game;ArcadeGame"
appstreamcli validate --no-net --pedantic "$root/share/metainfo/io.github.mivo.metainfo.xml" ||
    fail "AppStream metadata refused"
echo "installed files as expected"
