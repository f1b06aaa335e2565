// The title screen: the logo breathing over the cloud tunnel, "Jouer", a strip of ground
// scrolling left under Mivo walking in place. Space, Return or a click goes on to the main menu,
// fading out into the menu background; closing the window fades to black and quits.
#pragma once
#include <SDL.h>

#include <array>

#include "app/controls.h"
#include "app/sdl_handles.h"

// What title_screen returns.
constexpr int title_go_on = 1;
constexpr int title_quit = 255;  // the byte of −1

// The screen's own states.
constexpr int title_waiting = 0;
constexpr int title_confirmed = 1;
constexpr int title_closed = -1;

struct Title {
    bool returning = false;  // shown again from the main menu: fades in from the background
    int state = title_waiting;
    int fade = 255;  // alpha of the overlay drawn this frame
    double logo_scale = 0.7;
    int ticks = 0;      // frames drawn, this one included
    bool done = false;  // the fade-out is complete: the last, still frame is drawn
};

struct TitleArt {
    TexturePtr ground_top, ground;   // "c.png" two cells above the lower edge, "g.png" below it
    std::array<TexturePtr, 2> walk;  // Mivo's two walking frames
    TexturePtr background;           // "ide/bgg.png", also the overlay toward the main menu
    std::array<TexturePtr, 3> clouds;
    TexturePtr logo;
    TexturePtr play;   // "Jouer"
    TexturePtr black;  // the overlay toward black
};

struct TitleSounds {
    ChunkPtr confirm;  // "end.wav"
};

TitleArt title_art();
TitleSounds title_sounds();

// One frame: the fade of the frame before, the keys, the animation. Returns title_go_on or
// title_quit once the fade-out has reached full strength (the last frame is then drawn).
int title_update(Title& t, const Controls& c, const TitleSounds* sounds);
void title_draw(const Title& t, const TitleArt& art);

// The whole screen: requests the title music, throws pending events but a close away and runs it.
int title_screen(bool returning);
