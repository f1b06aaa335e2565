#!/usr/bin/env bash
# The loading screen on SDL's OpenGL renderer, in a real window under Xvfb: the renderer (and
# its GL context) goes from the main thread to the loading thread and back. The loading test
# reads a loading frame from the window's front buffer and draws textures made on the main
# thread between those frames.
set -euo pipefail
tests_bin=$1
src=$2
work=$(mktemp -d)
source "$(dirname "$0")/xvfb_game.sh"
start_x +extension GLX

cd "$src"
SDL_VIDEODRIVER=x11 SDL_RENDER_DRIVER=opengl SDL_RENDER_BATCHING=1 SDL_AUDIODRIVER=dummy \
    MIVO_GL_CHECK=1 ASAN_OPTIONS=detect_leaks=0 \
    timeout 90 "$tests_bin" --gtest_filter='Loading.OpenGLRendererChangesThreadsCleanly' 2>&1 | tee /dev/stderr |
    grep -q '^\[  PASSED  \] 1 test' || { echo "the loading screen did not hand the OpenGL renderer over cleanly"; exit 1; }
echo "loading screen drawn and textures loaded on the OpenGL renderer"
