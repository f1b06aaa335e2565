#!/usr/bin/env bash
# The game installed as a packager stages it (DESTDIR), started from an empty folder by a player
# with a fresh home: it finds its data beside its own program, copies the shipped levels into
# ~/.local/share/mivo/levels, reaches the title (kept as a screenshot in the folder given as the
# fourth argument), and an edit saved with U lands in the player's copy of the level, while the
# installed level and the working folder stay as they were.
set -euo pipefail
build=$1
src=$(cd "$2" && pwd)
mkdir -p "$3"
shots=$(cd "$3" && pwd)
work=$(mktemp -d)
source "$(dirname "$0")/xvfb_game.sh"
mkdir -p "$work/empty" "$work/home"
rm -f "$shots/installed-title.png"

# A prefix of its own: the game finds its data from its own folder wherever it is installed.
DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/mivo >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; exit 1; }

start_x
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 HOME="$work/home"
unset XDG_CONFIG_HOME XDG_DATA_HOME
cd "$work/empty"
start_game "$work/stage/opt/mivo/games/mivo"
levels="$HOME/.local/share/mivo/levels"
grep -q "levels copied into $levels" "$work/out.log" || fail "no level was copied"
first=$(cd "$src/levels" && ls | head -n 1)
cmp -s "$levels/$first/0.lvl" "$src/levels/$first/0.lvl" || fail "$first was not copied whole"

# The title: past both splash screens, a bright picture that has stopped fading in.
press space
sleep 0.5
press space
brightness() { convert "$1" -colorspace Gray -format '%[fx:mean*1000]' info: | awk '{ printf "%d", $1 }'; }
differing() { compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | awk '{ printf "%d", $1 }'; }
titled=""
for _ in $(seq 120); do
    sleep 0.25
    import -window "$wid" "$work/now.png" 2>/dev/null || continue
    if [ "$(brightness "$work/now.png")" -ge 200 ] && [ -f "$work/before.png" ] &&
        [ "$(differing "$work/before.png" "$work/now.png")" -le 90000 ]; then
        titled=yes
        break
    fi
    cp "$work/now.png" "$work/before.png"
done
[ -n "$titled" ] || fail "the title did not come"
cp "$work/now.png" "$shots/installed-title.png"

# Into the first level, as the edit-and-save run does: Return, the "Story" tile, Return in the
# selection, until U answers in the level.
for _ in $(seq 150); do
    answered && break
    press Return
    click_story
    press u
done
answered || fail "U was not handled"
cmp -s "$levels/$first/0.lvl" "$src/levels/$first/0.lvl" || fail "the early keys changed $first"
press e
sleep 0.5
xdotool mousemove --window "$wid" 75 30 && sleep 0.3
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1 # dock slot 1: block 'b'
for at in "512 212" "612 312" "712 412"; do
    xdotool mousemove --window "$wid" $at && sleep 0.3
    xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1
done
saves=$(grep -c '^saved$' "$work/out.log" || true)
press u
for _ in $(seq 50); do
    [ "$(grep -c '^saved$' "$work/out.log" || true)" -gt "$saves" ] && break
    sleep 0.1
done
[ "$(grep -c '^saved$' "$work/out.log" || true)" -gt "$saves" ] || fail "U did not save"
kill -TERM "$game_pid"
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
wait "$game_pid" || fail "the game exited with an error"
game_pid=""

cmp -s "$levels/$first/0.lvl" "$src/levels/$first/0.lvl" && fail "the edit is not in $levels/$first"
cmp -s "$work/stage/opt/mivo/share/mivo/levels/$first/0.lvl" "$src/levels/$first/0.lvl" ||
    fail "the installed level changed"
[ -z "$(ls -A "$work/empty")" ] || fail "files were left in the working folder: $(ls -A "$work/empty")"
[ -f "$HOME/.local/share/mivo/shipped-levels.txt" ] || fail "no record of the copied levels"
echo "the installed game started from an empty folder and saved into $levels/$first"
