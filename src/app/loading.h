// The loading screen: while the main thread loads a screen's images, the thread "thload" keeps
// the last frame on screen with a grey label and a spinner turning around the game's emblem in the
// lower-right corner. The two threads take turns with the renderer (app/assets.h), so the spinner
// moves between two loads and runs freely once the loads are done.
#pragma once
#include <SDL.h>

#include <string>

#include "app/sdl_handles.h"

// What the loading thread draws.
struct LoadingScreen {
    TexturePtr backdrop;  // the frozen frame
    TexturePtr spinner, emblem, label;
    int angle = 0;  // the spinner's turn, in degrees
};

// Where the pieces of the loading screen go on a window of w × h, for a label of tw × th and a
// spinner image of sw × sh. The spinner and the emblem share one centre, left of the label.
struct LoadingLayout {
    SDL_Rect label, spinner, emblem;
    SDL_Point pivot;  // the spinner's rotation centre, in its own rectangle
};
LoadingLayout loading_layout(int w, int h, int tw, int th, int sw, int sh);

// One frame of the loading screen: the spinner turns 2 degrees.
void loading_update(LoadingScreen& s);
// Draws the frozen frame, the label, the spinner and the emblem. Changes nothing.
void loading_draw(const LoadingScreen& s);

// Starts the loading screen with the label, for at least min_ms. The backdrop is the frame to
// freeze: draw it, keep a window_snapshot of it, then present it, because what a renderer holds
// after presenting is undefined with OpenGL. Without one, the thread takes the snapshot itself.
// The caller then loads through the loaders of app/assets.h and ends with loading_end.
void loading_begin(int min_ms, const std::string& label, TexturePtr backdrop = nullptr);
// Waits out the minimum duration counted from loading_begin (a floor: loads that took longer are
// not waited for again), stops the thread and waits until it has freed its textures. The main
// thread owns the renderer again on return.
void loading_end();
// True from loading_begin until the thread has freed everything and ended.
bool loading_thread_alive();
