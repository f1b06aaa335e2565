#!/usr/bin/env bash
# The whole game as a player meets it, under Xvfb with real keys and clicks: both splash
# screens, the title, the main menu, the level selection, a level and its pause menu, back to the
# selection, a level that is won at once, its score screen and "Bravo !", the selection again,
# its back button, the credits, the settings, and "Close". Every screen is waited for as a person
# would (until the picture has changed and stopped fading) and kept as a screenshot in the
# folder given as the third argument, for people to look at. The fourth argument is the watching
# tool, mivo_look (beside the game when not given).
set -euo pipefail
bin=$1
src=$2
shots=${3:-$PWD/e2e-screens}
look_tool=${4:-$(dirname "$bin")/mivo_look}
work=$(mktemp -d)
source "$(dirname "$0")/xvfb_game.sh"
rm -rf "$shots"
mkdir -p "$shots"

# Our levels, and before them one whose start lies in the exit's pull: it is won at once.
cp -r "$src/levels" "$work/levels"
ln -s "$src/ressources" "$work/ressources"
won="$work/levels/0_arrivee"
mkdir -p "$won"
{ for _ in $(seq 9); do printf '%30s\n' ''; done; printf '%030d\n' 0 | tr 0 a; } >"$won/0.lvl"
{
    for _ in $(seq 4); do printf '%30s\n' ''; done
    printf '     A%24s\n' ''
    for _ in $(seq 4); do printf '%30s\n' ''; done
    printf 'B%29s\n' ''
} >"$won/1.lvl"
printf 'titre=Arrivee\ncreateur=Mivo\ntheme=base\nfond=2\n' >"$won/config.ini"

start_x
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
cd "$work"
start_game "$bin"

# Waits for the next screen, as a person does (tests/e2e/look.cpp looks at the window four times a
# second, two minutes at most: a busy machine slows the sanitised game down a lot): the window
# shows something else than the last screen (at least `change` thousandths of its pixels), has
# stopped fading (two looks differ by at most `motion` thousandths: animated screens move; "still"
# for a screen where nothing moves), and is as bright as that screen is (thousandths: black
# moments between screens are not screens). A picture left frozen on the window while the game
# loads is never taken for a screen: only frames the game draws count. The screen is kept in the
# screenshots' folder.
last="$work/last.rgb"
listings() { grep -c "^'0_arrivee'$" "$work/out.log" || true; }

# The level selection lists the levels while it loads: the listing tells that it is opening.
# What the window shows while the selection loads (the menu's last picture, frozen) is not the
# selection: it becomes the picture the selection must differ from.

# name, change, motion, dimmest, brightest
to_main_menu
click_at 322 191 # "Story"
listed 1
screen 05-level-selection 30 20 200
press Right
screen 06-level-selection-next 5 20 200
press Return
screen 07-level-card 30 20 5 50
screen 08-level 30 20 200
press Escape
screen 09-pause-menu 30 still
press Down
press Return
press Down
press Return # "Back to menu", "Yes": the level is left for the selection
listed 2
screen 10-level-selection-again 5 20 200
press Left
screen 11-level-selection-first 5 20 200
press Return
screen 12-level-card 30 20 5 50
screen 13-score 5 still 10 50 # not the won level darkening behind its spinning portal
press Return
screen 14-bravo 5 5 3 10
listed 3
screen 15-level-selection-after-win 5 20 200
click_at 100 40 # the back button
screen 16-main-menu-again 500 60 400
click_at 766 356 # "Credits"
screen 17-credits 30 still 50
press space
screen 18-main-menu-after-credits 500 60 400
click_at 589 354 # "Settings"
screen 19-settings 30 still
press Escape
screen 20-main-menu-after-settings 500 60 400
click_at 590 464 # "Close"
give_up=$((SECONDS + 120))
while [ "$SECONDS" -lt "$give_up" ]; do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.25; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end on Close"
wait "$game_pid" || fail "the game ended with an error"
game_pid=""
echo "every screen reached; screenshots in $shots"
