// Every screen of the game has one shape: a state record; an update that reads one frame's
// controls, changes the state and says whether the screen is done; a draw that only reads the
// state; a named result. run_screen drives it: read the controls, update, clear, draw, present,
// until the update gives a result. An overlay (a pause menu over a level, a loading card over
// the last frame) draws the frozen screen below it first, which is safe because draws change
// nothing. For example:
//
//     struct Credits { int frames = 0; };
//     int credits_update(Credits& c, const Controls& in) {
//         c.frames += 1;
//         for (const SDL_Event& e : in.events)
//             if (is_press(e)) return credits_done;
//         return in.quit ? credits_quit : screen_running;
//     }
//     void credits_draw(const Credits& c);   // const: draws, changes nothing
//     int credits_screen() {
//         Credits c;
//         return run_screen([&](const Controls& in) { return credits_update(c, in); },
//                           [&] { credits_draw(c); });
//     }
#pragma once
#include <functional>

#include "app/controls.h"

// What an update returns while its screen goes on; any other value ends the screen.
constexpr int screen_running = 0;

using ScreenUpdate = std::function<int(const Controls&)>;
using ScreenDraw = std::function<void()>;

// One frame: reads the controls into `controls`, updates, clears, draws and presents. Returns
// the update's result. `covered`, when given, says after the update whether the drawing lays
// opaque pixels over the whole window: the frame is then not cleared first (clearing a large
// window is a millisecond of the software renderer's time).
int screen_frame(Controls& controls, const ScreenUpdate& update, const ScreenDraw& draw,
                 const std::function<bool()>& covered = nullptr);
// Runs frames until the update returns something other than screen_running, and returns that.
int run_screen(const ScreenUpdate& update, const ScreenDraw& draw);
