#!/usr/bin/env bash
# The real program under Xvfb with real keys and mouse: it opens, enters the first level, the
# editor paints a cell with a brush chosen in the dock, U saves, and the file on disk shows it.
set -euo pipefail
bin=$1
src=$2
work=$(mktemp -d)
xvfb_pid=""
game_pid=""
cleanup() {
    [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/levels/edit"
ln -s "$src/ressources" "$work/ressources"
# A 30 × 10 level: narrower than the view, so it sits at the window's right edge (camera x −10).
for _ in 1 2 3 4 5 6 7 8 9; do echo "[ 29] "; done >"$work/levels/edit/0.lvl"
echo "[a29]a" >>"$work/levels/edit/0.lvl"
printf '\n\n\n\n\n\n\n\nA\n\n' >"$work/levels/edit/1.lvl"
printf 'titre=Edit\ntheme=base\n' >"$work/levels/edit/config.ini"

display=":$((400 + $$ % 200))"
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done

cd "$work"
"$bin" >"$work/out.log" 2>&1 &
game_pid=$!
wid=""
for _ in $(seq 100); do
    wid=$(xdotool search --onlyvisible --pid "$game_pid" 2>/dev/null | head -n 1 || true)
    [ -n "$wid" ] && break
    sleep 0.1
done
[ -n "$wid" ] || { echo "no window appeared"; cat "$work/out.log"; exit 1; }
# The opening animation ends with the window at its full size; the level starts right after.
for _ in $(seq 100); do
    xdotool getwindowgeometry "$wid" 2>/dev/null | grep -q 'Geometry: 1000x600' && break
    sleep 0.1
done
sleep 1.5
xdotool windowfocus --sync "$wid" 2>/dev/null || true
xdotool key --window "$wid" e
sleep 0.5
xdotool mousemove --window "$wid" 75 30 && sleep 0.3
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1   # dock slot 1: block 'b'
sleep 0.3
xdotool mousemove --window "$wid" 612 412 && sleep 0.3   # column 14, row 7
xdotool mousedown 1 && sleep 0.3 && xdotool mouseup 1
sleep 0.3
xdotool key --window "$wid" u
sleep 0.5
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
