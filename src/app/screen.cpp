// The frame loop every screen runs.
#include "app/screen.h"

#include "app/draw.h"

int screen_frame(Controls& controls, const ScreenUpdate& update, const ScreenDraw& draw,
                 const std::function<bool()>& covered) {
    controls_read(controls);
    int result = update(controls);
    if (!covered || !covered()) SDL_RenderClear(game_renderer);
    draw();
    present_frame();
    return result;
}

int run_screen(const ScreenUpdate& update, const ScreenDraw& draw) {
    Controls controls;
    int result = screen_running;
    while (result == screen_running) result = screen_frame(controls, update, draw);
    return result;
}
