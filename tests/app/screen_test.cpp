// The loop every screen runs.
#include "app/screen.h"

#include <gtest/gtest.h>

#include <string>

#include "support/harness.h"

TEST(Screen, UpdatesThenDrawsEveryFrameUntilAResult) {
    TestDisplay display;
    std::string order;
    int frames = 0;
    int result = run_screen(
        [&](const Controls&) {
            order += 'u';
            return ++frames == 3 ? 7 : screen_running;
        },
        [&] { order += 'd'; });
    EXPECT_EQ(result, 7);
    EXPECT_EQ(order, "ududud");  // the last frame is drawn too

    // Closing the window reaches the update, which decides what it means.
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    result = run_screen([](const Controls& c) { return c.quit ? -1 : screen_running; }, [] {});
    EXPECT_EQ(result, -1);
}
