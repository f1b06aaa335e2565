#!/usr/bin/env bash
# The game in a real window: the release build under Xvfb at 1920 × 1080, with SDL's default
# renderer, on the main menu and then idle in the first level, about 20 s each. For each it
# reports the frames presented per second (the game prints its count with MIVO_FRAME_REPORT),
# the CPU seconds the game used per second (utime + stime of /proc/PID/stat) and its peak
# resident memory (VmHWM). Targets: 60 frames a second at 0.5 CPU s/s at most.
# Run from the repository root after `make release assets`: bench/window.sh [seconds] [shots folder]
set -euo pipefail
root=$PWD
bin=$root/build/release/mivo
span=${1:-20}
shots=${2:-$root/build/window-shots}
[ -x "$bin" ] || { echo "no game at $bin: build the release first (make release)"; exit 1; }
[ -d "$root/ressources" ] || { echo "no ressources/ here: run from the repository root after make assets"; exit 1; }
work=$(mktemp -d)
source "$root/tests/e2e/xvfb_game.sh"
mkdir -p "$shots"

# The game's own folder: our levels, the resources, and settings for a 1920 × 1080 window.
ln -s "$root/levels" "$work/levels"
ln -s "$root/ressources" "$work/ressources"
printf 'mode=3\nresx=1920\nresy=1080\nlissage=2\nvolume_general=100\nvolume_musique=100\nvolume_effets=100\nvolume_menus=100\n' >"$work/settings.ini"

start_x -screen 0 1920x1080x24
export SDL_AUDIODRIVER=dummy MIVO_FRAME_REPORT=1
cd "$work"
start_game "$bin"
hz=$(getconf CLK_TCK)

cpu_ticks() { awk '{print $14 + $15}' "/proc/$game_pid/stat"; }
frames_now() { grep -o 'frames presented: [0-9]*' "$work/out.log" | tail -n 1 | awk '{print $3}'; }
shoot() { import -window root "$shots/$1.png" 2>/dev/null || true; }

# Measures `span` seconds of what the window shows now.
measure() {
    local name=$1 f0 f1 c0 c1 t0 t1
    sleep 1.5  # the report of the last whole second
    f0=$(frames_now); c0=$(cpu_ticks); t0=$(date +%s.%N)
    sleep "$span"
    f1=$(frames_now); c1=$(cpu_ticks); t1=$(date +%s.%N)
    shoot "$name"
    awk -v n="$name" -v f0="$f0" -v f1="$f1" -v c0="$c0" -v c1="$c1" -v t0="$t0" -v t1="$t1" \
        -v hz="$hz" -v hwm="$(awk '/VmHWM/ {print $2}' "/proc/$game_pid/status")" \
        'BEGIN { s = t1 - t0; printf "%-12s %6.1f frames/s  %5.2f CPU s/s  peak %4.0f MB  (%.1f s)\n",
                 n, (f1 - f0) / s, (c1 - c0) / hz / s, hwm / 1024, s }'
}

sleep 4  # the window opens
press space  # the splash screens
sleep 2
press space
sleep 2
press Return  # the title
sleep 4
echo "load: $(cut -d ' ' -f 1-3 /proc/loadavg) on $(nproc) cores; renderer: SDL's default"
measure "main menu"
# "Story": the level selection, then the first level.
xdotool mousemove --window "$wid" 612 340 && sleep 0.1
xdotool mousemove --window "$wid" 618 344 && sleep 0.1
xdotool mousedown 1 && sleep 0.1 && xdotool mouseup 1
sleep 6
shoot "level selection"
press Return
sleep 8
measure "first level"
grep -m 1 "^renderer:" "$work/out.log" || true
