// The splash screens at start-up: a picture fades in, holds for a while (a key or a click cuts
// the hold short) and sinks into black. Closing the window asks the game to quit.
#pragma once
#include <string>

#include "app/controls.h"
#include "app/sdl_handles.h"

// The colour around the splash pictures (theirs is a night sky): the window opens in it, so that
// the growing window, the splashes and the black between them are one picture.
constexpr SDL_Color splash_background{0, 0, 0, 255};

enum class SplashPhase { fade_in, hold, fade_out, done };

// One splash: its phase and what the frame shows.
struct Splash {
    bool first = true;  // the first splash fades the cleared window to black around its picture
    int hold_frames = 0;
    SplashPhase phase = SplashPhase::fade_in;
    int frame = 0;          // frames into the phase
    bool shown = false;     // this frame is drawn
    int veil_alpha = 0;     // the veil under the picture
    int image_alpha = 255;  // the picture (faded only after the first splash)
    int cover_alpha = -1;   // the veil over the picture while it sinks; −1: none
};

struct SplashArt {
    TexturePtr image, veil;
};

constexpr int splash_done = 1;
constexpr int splash_quit = -1;

// A splash shown for duration_ms: its hold lasts duration_ms / 10 frames.
Splash splash_start(int duration_ms, bool first);
// One frame: the controls count only during the hold. Returns screen_running, splash_done after
// the last frame of the fade-out, or splash_quit when the window was closed during the hold.
int splash_update(Splash& s, const Controls& in);
// Draws the veil and the picture centred at 50 % × 45 % of the window. Changes nothing.
void splash_draw(const Splash& s, const SplashArt& art);

// Shows the picture (relative to "ressources/"). Keys pressed before it are forgotten. False when
// the window was closed, during the hold or before the splash began: the game then quits.
bool show_splash(int duration_ms, const std::string& image, bool first);
// One opaque black frame, then half a second of waiting.
void blackout();
