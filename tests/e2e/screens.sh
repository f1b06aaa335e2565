#!/usr/bin/env bash
# The whole game as a player meets it, under Xvfb with real keys and clicks: both splash
# screens, the title, the main menu, the level selection, a level and its pause menu, back to the
# selection, a level that is won at once, its score screen and "Bravo !", the selection again,
# its back button, the credits, the settings, and "Close". Every screen is waited for as a person
# would (until the picture has changed and stopped fading) and kept as a screenshot in the
# folder given as the third argument, for people to look at.
set -euo pipefail
bin=$1
src=$2
shots=${3:-$PWD/e2e-screens}
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

fail() {
    echo "$1"
    echo "--- the game's output:"
    cat "$work/out.log"
    exit 1
}
click_at() {
    xdotool mousemove --window "$wid" $(($1 - 4)) $(($2 - 3)) && sleep 0.05
    xdotool mousemove --window "$wid" "$1" "$2" && sleep 0.05
    xdotool mousedown 1 && sleep 0.1 && xdotool mouseup 1
}
# Pixels differing by more than 10 % between two pictures.
differing() { compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 | awk '{ printf "%d", $1 }'; }
# Mean brightness, in thousandths.
brightness() { convert "$1" -colorspace Gray -format '%[fx:mean*1000]' info: | awk '{ printf "%d", $1 }'; }
pixels=$((1000 * 600))
last=""
# Waits for the next screen, as a person does: the window shows something else than the last
# screen (at least `change` thousandths of its pixels), has stopped fading (two looks a quarter
# of a second apart differ by at most `motion` thousandths: animated screens move), and is as
# bright as that screen is (thousandths: black moments between screens are not screens).
screen() {
    local name=$1 change=${2:-30} motion=${3:-20} dimmest=${4:-0} brightest=${5:-1000}
    local now="$work/now.png" before="$work/before.png" light
    rm -f "$before"
    for _ in $(seq 120); do
        sleep 0.25
        kill -0 "$game_pid" 2>/dev/null || fail "the game ended before the $name screen"
        import -window "$wid" "$now" 2>/dev/null || continue
        light=$(brightness "$now")
        if [ "$light" -lt "$dimmest" ] || [ "$light" -gt "$brightest" ] ||
            { [ -n "$last" ] && [ "$(differing "$last" "$now")" -lt $((pixels * change / 1000)) ]; }; then
            rm -f "$before"
            continue
        fi
        if [ -f "$before" ] && [ "$(differing "$before" "$now")" -le $((pixels * motion / 1000)) ]; then
            cp "$now" "$shots/$name.png"
            last="$shots/$name.png"
            echo "screen: $name"
            return 0
        fi
        cp "$now" "$before"
    done
    fail "the $name screen did not come"
}
listings() { grep -c "^'0_arrivee'$" "$work/out.log" || true; }

# The level selection lists the levels while it loads: the listing tells that it is opening.
# What the window shows while the selection loads (the menu's last picture, frozen) is not the
# selection: it becomes the picture the selection must differ from.
listed() {
    for _ in $(seq 100); do
        if [ "$(listings)" -ge "$1" ]; then
            import -window "$wid" "$work/loading.png" 2>/dev/null && last="$work/loading.png"
            return 0
        fi
        sleep 0.1
    done
    fail "the level selection did not list the levels (time $1)"
}

# name, change, motion, dimmest, brightest
screen 01-splash 30 20 3 500 # not the white window opening, nor black
press space
screen 02-splash 30 20 3 500
press space
screen 03-title 30 150 200
press Return
screen 04-main-menu 30 60 200
click_at 322 191 # "Story"
listed 1
screen 05-level-selection 30 20 200
press Right
screen 06-level-selection-next 5 20 200
press Return
screen 07-level-card 30 20 5 50
screen 08-level 30 20 200
press Escape
screen 09-pause-menu
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
screen 13-score 5 20 10 50
press Return
screen 14-bravo 5 5 0 10
listed 3
screen 15-level-selection-after-win 5 20 200
click_at 100 40 # the back button
screen 16-main-menu-again 30 60 200
click_at 766 356 # "Credits"
screen 17-credits 30 20 50
press space
screen 18-main-menu-after-credits 30 60 200
click_at 589 354 # "Settings"
screen 19-settings
press Escape
screen 20-main-menu-after-settings 30 60 200
click_at 590 464 # "Close"
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "the game did not end on Close"
wait "$game_pid" || fail "the game ended with an error"
game_pid=""
echo "every screen reached; screenshots in $shots"
