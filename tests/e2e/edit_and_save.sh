#!/usr/bin/env bash
# The real program under Xvfb with real keys and mouse: it opens, Return passes the title, a
# click on the "Story" tile opens the level selection, the level is chosen in the selection, U and R are pressed from the first moment (the files stay as they were), the editor
# paints a cell with a brush chosen in the dock, a second stroke is undone, redone and undone
# again, U saves, and the file on disk shows the first stroke alone. The save is watched with
# strace: each temporary reaches the disk before it is renamed, and the folder after the renames,
# so a power cut right after "saved" cannot leave empty files.
set -euo pipefail
bin=$1
src=$2
work=$(mktemp -d)
source "$(dirname "$0")/xvfb_game.sh"

mkdir -p "$work/levels/edit"
ln -s "$src/ressources" "$work/ressources"
# A 30 × 10 level: narrower than the view, so it sits at the window's right edge (camera x −10).
# Written as the game writes levels, so that a save of the unchanged level is byte-identical.
for _ in 1 2 3 4 5 6 7 8 9; do echo "[ 29] "; done >"$work/levels/edit/0.lvl"
echo "[a29]a" >>"$work/levels/edit/0.lvl"
{ for _ in 1 2 3 4 5 6 7 8; do echo "[ 29] "; done; echo "A[ 28] "; echo "[ 29] "; } \
    >"$work/levels/edit/1.lvl"
printf 'titre=Edit\ntheme=base\n' >"$work/levels/edit/config.ini"
cp "$work/levels/edit/0.lvl" "$work/play.orig"
cp "$work/levels/edit/1.lvl" "$work/decor.orig"

start_x
export SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
cd "$work"
start_game "$bin"
# Like an impatient player: Return (past the splash screens and the title, and in the level
# selection from its first moment), a click on the main menu's "Story" tile (centred at
# (322, 191) in the 1000 × 600 window; the pointer moves first, since the menu follows motions
# only), then U and R, again and again until the level answers; the first of them reach the
# level before its layers are read. The level's files must come out of it untouched.
for _ in $(seq 150); do
    answered && break
    press Return
    click_story
    press u
    press r
done
answered || { echo "U was not handled"; cat "$work/out.log"; exit 1; }
cmp -s "$work/levels/edit/0.lvl" "$work/play.orig" || { echo "early keys changed 0.lvl"; cat "$work/levels/edit/0.lvl"; exit 1; }
cmp -s "$work/levels/edit/1.lvl" "$work/decor.orig" || { echo "early keys changed 1.lvl"; cat "$work/levels/edit/1.lvl"; exit 1; }
press e
# The mouse positions below are the window's at its full size.
for _ in $(seq 100); do
    xdotool getwindowgeometry "$wid" 2>/dev/null | grep -q 'Geometry: 1000x600' && break
    sleep 0.1
done
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool mousemove --window "$wid" 75 30 && sleep 0.3
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1   # dock slot 1: block 'b'
sleep 0.3
xdotool mousemove --window "$wid" 612 412 && sleep 0.3   # column 14, row 7
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1
sleep 0.3
# A second stroke two cells further, undone, redone and undone again: only the first stays.
xdotool mousemove --window "$wid" 662 412 && sleep 0.3   # column 16, row 7
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1
sleep 0.3
press BackSpace
sleep 0.2
xdotool keydown --window "$wid" shift; press BackSpace; xdotool keyup --window "$wid" shift
sleep 0.2
press BackSpace
sleep 0.2
saves=$(grep -c '^saved$' "$work/out.log" || true)
strace -f -y -qq -p "$game_pid" -e trace=fsync,fdatasync,rename,renameat,renameat2 \
    -o "$work/save.trace" &
strace_pid=$!
sleep 0.5  # attached
press u
for _ in $(seq 50); do
    [ "$(grep -c '^saved$' "$work/out.log" || true)" -gt "$saves" ] && break
    sleep 0.1
done
kill "$strace_pid" 2>/dev/null || true
wait "$strace_pid" 2>/dev/null || true
# The first line of the trace that matches, or a number past every line.
line_of() { grep -nE "$1" "$work/save.trace" | head -n 1 | cut -d: -f1 | grep . || echo 999999; }
flushed0=$(line_of 'fsync\([0-9]+<[^>]*levels/edit/0\.lvl\.tmp>')
flushed1=$(line_of 'fsync\([0-9]+<[^>]*levels/edit/1\.lvl\.tmp>')
renamed0=$(line_of 'rename.*levels/edit/0\.lvl\.tmp')
renamed1=$(line_of 'rename.*levels/edit/1\.lvl\.tmp')
folder=$(grep -nE 'fsync\([0-9]+<[^>]*levels/edit>' "$work/save.trace" | cut -d: -f1 | tail -n 1 || true)
if ! [ "$flushed0" -lt "$renamed0" ] || ! [ "$flushed1" -lt "$renamed0" ] ||
    ! [ "$renamed0" -lt "$renamed1" ] || ! [ "${folder:-0}" -gt "$renamed1" ] ||
    [ "$renamed1" = 999999 ]; then
    echo "the save does not flush its files before renaming them, and the folder after:"
    cat "$work/save.trace"
    exit 1
fi
kill -TERM "$game_pid"
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$game_pid" 2>/dev/null; then echo "the game did not close on SIGTERM"; exit 1; fi
wait "$game_pid" || { echo "the game exited with an error"; cat "$work/out.log"; exit 1; }
game_pid=""

grep -q '^saved$' "$work/out.log" || { echo "no 'saved' line"; cat "$work/out.log"; exit 1; }
row=$(sed -n 3p "$work/levels/edit/0.lvl")
if [ "$row" != "[ 14]b[ 14] " ]; then
    echo "row 7 of the saved play layer is '$row'"
    cat "$work/levels/edit/0.lvl"
    exit 1
fi
echo "edited, saved and read back"
