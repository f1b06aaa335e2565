// Start-up and shutdown of the media libraries, the window and its renderer, the window's
// opening and closing animations, and the full-window message shown after a won level.
#pragma once
#include <string>

// Initialises SDL (video, then game controllers, whose failure leaves the game without one),
// SDL_image, SDL_mixer with its audio device, and SDL_ttf.
void init_libraries();
// Creates the hidden, resizable window and its renderer: accelerated with vsync when the
// machine has a graphics card, the software renderer otherwise (also when OpenGL is itself drawn
// by the processor). False when no window can be made.
bool create_display();
// True for the name of an OpenGL implementation that draws with the processor (Mesa's llvmpipe).
bool drawn_by_processor(const std::string& opengl_name);
// Destroys the renderer, then the window.
void destroy_display();
// Lets running music workers finish, closes the audio device, then quits the libraries. A
// worker still busy after 2 s keeps the mixer: the audio device is then left open.
void quit_libraries();

// The window's size limits, set once the opening animation has run.
constexpr int window_max_width = 1920, window_max_height = 1080;
constexpr int window_min_width = 800, window_min_height = 600;

// The window grows from nothing to the settings' size, quickly at first, then slowing down; the
// size is kept within the largest window and the display, whatever the settings hold.
void window_intro();
// The window shrinks to nothing, slowly at first, then faster, and hides. In exclusive full
// screen, where each resize would switch the display's mode, the frame fades to black instead.
void window_outro();
// Draws the text large and centred on black for one frame; the caller waits afterwards.
void show_message(const std::string& text);
