// The game window's contents as the X server shows them (tests under Xvfb).
#pragma once
#include <SDL.h>

#include <vector>

// Reads the window through a connection of its own, after waiting until every request of SDL's
// connection (a buffer swap) has reached the server. Row by row from the top; empty when the
// window is not an X11 window.
std::vector<SDL_Color> x_window_pixels(SDL_Window* window, int w, int h);
