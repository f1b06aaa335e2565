# Sourced by the runs of the real program: a private X server, and the game in it, cleaned up
# on exit. The caller sets `work` (a scratch folder, removed at the end) before sourcing.
xvfb_pid=""
game_pid=""
wid=""
e2e_cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap e2e_cleanup EXIT

# An X server on a display nobody uses (it names the display once it is ready); extra Xvfb
# arguments are passed on. DISPLAY is exported.
start_x() {
    local named="$work/display"
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp "$@" 3>"$named" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$named" ] && break
        sleep 0.1
    done
    [ -s "$named" ] || { echo "Xvfb did not start"; exit 1; }
    export DISPLAY=":$(head -n 1 "$named")"
}

# The game, run from the current folder with its output in $work/out.log; waits for its window
# (a minute at most: a busy machine starts the sanitised game slowly).
start_game() {
    "$1" >"$work/out.log" 2>&1 &
    game_pid=$!
    local give_up=$((SECONDS + 60))
    while [ "$SECONDS" -lt "$give_up" ]; do
        wid=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1 || true)
        [ -n "$wid" ] && return 0
        kill -0 "$game_pid" 2>/dev/null || break
        sleep 0.25
    done
    echo "no window appeared"
    cat "$work/out.log"
    exit 1
}

# A key held for a tenth of a second, as a finger presses it.
press() { xdotool keydown --window "$wid" "$1"; sleep 0.1; xdotool keyup --window "$wid" "$1"; }

# Stops the run with a reason and what the game printed.
fail() {
    echo "$1"
    echo "--- the game's output:"
    cat "$work/out.log"
    exit 1
}

# A click at window coordinates, the pointer arriving from a few pixels away as a hand moves it.
click_at() {
    xdotool mousemove --window "$wid" $(($1 - 4)) $(($2 - 3)) && sleep 0.05
    xdotool mousemove --window "$wid" "$1" "$2" && sleep 0.05
    xdotool mousedown 1 && sleep 0.1 && xdotool mouseup 1
}

# The main menu's "Story" tile at 1000 × 600, and whether a level has answered U.
click_story() { click_at 322 191 2>/dev/null || true; }
answered() { grep -qE '^(nothing to save yet|saved)' "$work/out.log"; }

# The next screen, as mivo_look waits for it ($look_tool, with $last the previous screen's small
# picture): NAME [CHANGE MOTION DIMMEST BRIGHTEST], saved as $shots/NAME.png.
screen() {
    local name=$1 change=${2:-30} motion=${3:-20} dimmest=${4:-0} brightest=${5:-1000} result=0
    "$look_tool" wait "$wid" "$game_pid" "$last" "$shots/$name.png" \
        "$change" "$motion" "$dimmest" "$brightest" || result=$?
    [ "$result" -eq 2 ] && fail "the game ended before the $name screen"
    [ "$result" -eq 0 ] || fail "the $name screen did not come ($shots/$name.png shows the window)"
    echo "screen: $name (at $SECONDS s)"
}

# Waits until the level selection has listed the levels N times (the script's `listings` counts
# them in the game's output), then takes the window as the picture the selection must differ from.
listed() {
    local give_up=$((SECONDS + 120))
    while [ "$SECONDS" -lt "$give_up" ]; do
        if [ "$(listings)" -ge "$1" ]; then
            "$look_tool" grab "$wid" "$last" || true
            return 0
        fi
        sleep 0.25
    done
    fail "the level selection did not list the levels (time $1)"
}

# From the game's start to its main menu as a player goes: both splashes cut with Space, the
# title passed with Return. Each screen must come: the first splash is neither the window opening
# nor black; the main menu shows its tiles, not a zoomed tile under a fading menu (a settled menu
# is brighter).
to_main_menu() {
    screen 01-splash 30 20 3 500
    press space
    screen 02-splash 30 20 3 500
    press space
    screen 03-title 30 150 200
    press Return
    screen 04-main-menu 500 60 400
}
