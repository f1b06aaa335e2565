#!/usr/bin/env bash
# A race from the main menu, in the real program under Xvfb: the "Multiplayer" tile, the level
# selection, a level split in two halves, player 2 walking into the exit, the result screen, and
# the level selection again after a key.
#
#   race.sh GAME SOURCE_DIR SHOTS_DIR LOOK_TOOL
set -euo pipefail
bin=$1
src=$2
shots=${3:-$PWD/e2e-race}
look_tool=${4:-$(dirname "$bin")/mivo_look}
work=$(mktemp -d)
source "$(dirname "$0")/xvfb_game.sh"
rm -rf "$shots"
mkdir -p "$shots"

# One level, listed first: a floor 30 cells wide, the start at column 2, the exit marker at
# column 6 (its point 4½ cells right of it: a walker on the floor is captured some 6 cells from
# the start).
mkdir -p "$work/levels/0_course"
lvl="$work/levels/0_course"
{ for _ in $(seq 9); do printf '%30s\n' ''; done; printf '%030d\n' 0 | tr 0 a; } >"$lvl/0.lvl"
{
    for _ in $(seq 8); do printf '%30s\n' ''; done
    printf '  A%27s\n' ''
    printf '%6sB%23s\n' '' ''
} >"$lvl/1.lvl"
printf 'titre=Course\ncreateur=Mivo\ntheme=base\nfond=2\n' >"$lvl/config.ini"
ln -s "$src/ressources" "$work/ressources"

start_x
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
cd "$work"
start_game "$bin"

last="$work/last.rgb"
listings() { grep -c "^'0_course'$" "$work/out.log" || true; }
# True when a pixel of a screenshot is the divider's near-black (20, 20, 20 under the level's
# faint veil).
divider_at() {
    local v
    v=$(convert "$1" -format "%[fx:max(p{$2,$3}.r,max(p{$2,$3}.g,p{$2,$3}.b))*255]" info:)
    [ "${v%.*}" -le 25 ]
}

to_main_menu
click_at 322 409 # "Multiplayer"
listed 1
screen 05-level-selection 30 20 200
press Return
screen 06-level-card 30 20 5 50
screen 07-race 30 80 200 # two portals swirl, one in each half
# Split side by side: the divider runs down the middle of the 1000 × 600 window.
divider_at "$shots/07-race.png" 500 300 || fail "no divider in the middle"
divider_at "$shots/07-race.png" 499 30 || fail "no divider at the top"
divider_at "$shots/07-race.png" 450 300 && fail "the left half is not drawn"
divider_at "$shots/07-race.png" 550 300 && fail "the right half is not drawn"
# Player 2 walks right until the exit takes it; the race ends on the result screen.
xdotool keydown --window "$wid" d
screen 08-race-result 5 still 1 80
xdotool keyup --window "$wid" d
press Return
listed 2
screen 09-level-selection-again 5 20 200
echo "a race from the menu to its result; screenshots in $shots"
