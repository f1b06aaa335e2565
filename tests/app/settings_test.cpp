// How the display modes show the window.
#include "app/settings.h"

#include <gtest/gtest.h>

#include "app/draw.h"
#include "support/harness.h"

// Exclusive full screen, full screen on the desktop, borderless window, window; any other value
// is a bordered window too. The dummy video driver keeps the full-screen flags but not the
// border, which is checked on the mode's description instead.
TEST(Settings, EachDisplayModeGivesItsBorderAndFullScreenFlag) {
    Settings saved = settings;
    TestDisplay display;
    struct Mode {
        int mode;
        Uint32 fullscreen;
        bool bordered;
    };
    // Each mode is applied over the one before.
    for (Mode m :
         {Mode{0, SDL_WINDOW_FULLSCREEN, true}, Mode{1, SDL_WINDOW_FULLSCREEN_DESKTOP, true},
          Mode{2, 0, false}, Mode{0, SDL_WINDOW_FULLSCREEN, true}, Mode{3, 0, true},
          Mode{1, SDL_WINDOW_FULLSCREEN_DESKTOP, true}, Mode{7, 0, true}}) {
        EXPECT_EQ(window_mode(m.mode).fullscreen, m.fullscreen) << "mode " << m.mode;
        EXPECT_EQ(window_mode(m.mode).bordered, m.bordered) << "mode " << m.mode;
        settings.mode = static_cast<int8_t>(m.mode);
        settings_apply();
        Uint32 flags = SDL_GetWindowFlags(game_window);
        EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, m.fullscreen) << "mode " << m.mode;
    }
    settings = saved;
}
