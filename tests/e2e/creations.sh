#!/usr/bin/env bash
# A level author under Xvfb, with real keys and clicks, never leaving the game: the main menu's
# "Creations" tile, "New level" and the form (Return through its fields, then "Create"), the
# editor that opens on the new level, a block painted, U, the pause menu back to Creations, where
# the level is listed as ready. The files hold the block, and mivo-check finds the level ready.
# Screenshots of the editor and of Creations are kept in the folder given as fourth argument.
set -euo pipefail
bin=$1
check=$2
src=$3
shots=${4:-$PWD/e2e-creations}
work=$(mktemp -d)
source "$(dirname "$0")/xvfb_game.sh"
mkdir -p "$shots" "$work/levels"
ln -s "$src/ressources" "$work/ressources"

saves() { grep -c '^saved$' "$work/out.log" || true; }

start_x
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
cd "$work"
start_game "$bin"
level="$work/levels/new_level"

# Pixels of a colour in a part of the window ("WxH+X+Y").
count_colour() {
    import -window "$wid" "$work/now.png" 2>/dev/null || { echo 0; return; }
    convert "$work/now.png" -crop "$2" +repage -fuzz 4% -fill black +opaque "$1" -fill white -opaque "$1" \
        -format '%[fx:mean*w*h]' info: | awk '{ printf "%d", $1 }'
}
# A click passes the splash screens and the title, and a click on "Creations" (centred at
# (678, 191) in the 1000 × 600 window) opens the screen: a person keeps clicking there until its
# panels (the interface's dark blue) fill the window. No key is pressed on the way: Return on the
# main menu chooses its highlighted tile, "Story", when it comes before the click (a busy
# machine opens the menu slowly). The zooming tile's picture can look like the screen too; the
# Return below then waits for the screen.
opened=0
for _ in $(seq 120); do
    [ "$(count_colour '#1F2A44' 1000x600+0+0)" -gt 50000 ] && { opened=1; break; }
    click_at 678 191
done
[ "$opened" = 1 ] || fail "Creations did not open"
# Its first row is "New level": Return opens the form, and Return walks down its fields to
# "Create", which makes the level with the form's first choices.
give_up=$((SECONDS + 90))  # a busy machine checks the listed levels slowly
while [ "$SECONDS" -lt "$give_up" ]; do
    [ -d "$level" ] && break
    press Return
    sleep 0.2
done
if [ ! -f "$level/0.lvl" ]; then
    import -window "$wid" "$shots/creations-no-level.png" 2>/dev/null || true
    fail "no new level was made ($shots/creations-no-level.png shows the window)"
fi
# The editor is on from the level's first frame; U answers once the level is read.
for _ in $(seq 100); do
    [ "$(saves)" -ge 1 ] && break
    press u
    sleep 0.2
done
[ "$(saves)" -ge 1 ] || fail "U was not answered in the new level"

# The 40 × 24 level fills the view exactly (cells of 25 pixels): block 'b' of the dock (slot 1,
# at (75, 30)) painted at column 10, row 5.
for _ in $(seq 100); do
    xdotool getwindowgeometry "$wid" 2>/dev/null | grep -q 'Geometry: 1000x600' && break
    sleep 0.1
done
xdotool mousemove --window "$wid" 75 30 && sleep 0.3
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1
xdotool mousemove --window "$wid" 262 462 && sleep 0.3
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1
sleep 0.3
before=$(saves)
press u
for _ in $(seq 50); do
    [ "$(saves)" -gt "$before" ] && break
    sleep 0.1
done
[ "$(saves)" -gt "$before" ] || fail "the painted level was not saved"
import -window "$wid" "$shots/creations-1-editor.png" 2>/dev/null || true
row=$(sed -n 19p "$level/0.lvl")
[ "$row" = "[ 10]b[ 28] " ] || fail "row 5 of the saved play layer is '$row'"

# E leaves the editor; Escape, "Back to menu", "Yes" leave the level for Creations, where the
# new level (the only one) is highlighted with its green "ready".
press e
sleep 0.3
press Escape
sleep 0.5
press Down
press Return
press Down
press Return
ready=0
for _ in $(seq 120); do
    sleep 0.25
    # The list stands in the left 45 % of the window: pixels of the badge's green there.
    ready=$(count_colour '#6CC24A' 450x600+0+0)
    [ "$ready" -gt 150 ] && break
done
cp "$work/now.png" "$shots/creations-2-listed.png" 2>/dev/null || true
[ "$ready" -gt 150 ] || fail "Creations did not come back with the level listed as ready"
"$check" "$level" || fail "mivo-check does not find the saved level ready"

kill -TERM "$game_pid"
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not close on SIGTERM"
wait "$game_pid" || fail "the game ended with an error"
game_pid=""
echo "a new level made, painted, saved and listed as ready, without leaving the game"
