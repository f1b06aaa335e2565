// The level selection: the listing, the keys, the wheel, clicks, and the whole screen's loop.
#include "world/level_select.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>

#include "app/draw.h"
#include "app/loading.h"
#include "app/screen.h"
#include "support/harness.h"
#include "support/named_pipe.h"
#include "world/carousel.h"

// A choice as a failure shows it.
static void PrintTo(const SelectChoice& c, std::ostream* os) {
    const char* kinds[] = {"none", "play", "back", "quit"};
    *os << kinds[c.kind] << (c.level.empty() ? "" : " " + c.level);
}

namespace {
const SDL_Color grey{128, 128, 128, 255};

void make_level(const std::string& name, const std::string& fond = "") {
    write_file("levels/" + name + "/0.lvl", "a\n");
    write_file("levels/" + name + "/1.lvl", "\n");
    write_file("levels/" + name + "/config.ini", "titre=T\nfond=" + fond + "\n");
}

// A selection of n levels with plain buttons, driven one update at a time.
struct Choosing {
    LevelSelect ls;
    LevelSelectArt art;
    LevelSelectSounds snd;
    Controls c;
    explicit Choosing(int n) {
        for (int i = 0; i < n; ++i) {
            ls.names.push_back("level" + std::to_string(i));
            art.labels.push_back(solid_texture(100, 40, grey));
        }
        art.button = solid_texture(300, 80, grey);
        art.back = solid_texture(40, 40, grey);
        snd.swipe = silent_chunk();
        snd.click = silent_chunk();
    }
    int press(SDL_Keycode k) {
        SDL_Event e{};
        e.type = SDL_KEYDOWN;
        e.key.keysym.sym = k;
        return with(e);
    }
    int button(SDL_GameControllerButton b) {
        SDL_Event e{};
        e.type = SDL_CONTROLLERBUTTONDOWN;
        e.cbutton.button = static_cast<Uint8>(b);
        return with(e);
    }
    int click(int x, int y) {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.x = x;
        e.button.y = y;
        return with(e);
    }
    int with(const SDL_Event& e) {
        c.events = {e};
        int r = level_select_update(ls, art, c, &snd, nullptr);
        c.events.clear();
        return r;
    }
};
}  // namespace

TEST(LevelSelect, ListsCompleteFoldersButServerAndPrintsEveryEntry) {
    Sandbox sandbox;
    make_level("b");
    make_level("a");
    make_level("Server");
    write_file("levels/incomplete/0.lvl", "a\n");
    make_level(std::string(42, 'x'));  // too long for the level paths
    testing::internal::CaptureStdout();
    std::vector<std::string> names = list_levels().names;
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(names, (std::vector<std::string>{"a", "b"}));
    for (const char* line : {"'.'\n", "'..'\n", "'a'\n", "'b'\n", "'Server'\n", "'incomplete'\n"})
        EXPECT_NE(out.find(line), std::string::npos) << line;
}

// With more folders than the carousel holds, the first in name order are listed, whatever order
// the directory gives them in, and the screen and standard output say how many were left out.
TEST(LevelSelect, PastTheHundredthInNameOrderTheLeftOutAreCounted) {
    Sandbox sandbox;
    TestDisplay display;
    char name[8];
    for (int i = 0; i < max_listed_levels + 3; ++i) {
        std::snprintf(name, sizeof name, "l%03d", i);
        make_level(name);
    }
    LevelSelect ls;
    LevelSelectArt art;
    LevelSelectSounds snd;
    testing::internal::CaptureStdout();
    level_select_load(ls, art, snd);
    std::string out = testing::internal::GetCapturedStdout();
    ASSERT_EQ(ls.names.size(), static_cast<size_t>(max_listed_levels));
    EXPECT_EQ(ls.names.front(), "l000");
    EXPECT_EQ(ls.names.back(), "l099");
    EXPECT_NE(out.find("3 more level folders (from l100 on in name order) are not listed"),
              std::string::npos)
        << out;
    // The note stands in the lower right corner, white on the empty background.
    ls.fade = 0;
    clear_black();
    level_select_draw(ls, art);
    SDL_Rect corner{window_width / 2, window_height - 40, window_width / 2, 40};
    std::vector<Uint32> px(static_cast<size_t>(corner.w) * corner.h);
    SDL_RenderReadPixels(game_renderer, &corner, SDL_PIXELFORMAT_ARGB8888, px.data(), corner.w * 4);
    EXPECT_TRUE(
        std::any_of(px.begin(), px.end(), [](Uint32 p) { return (p & 0xFFFFFF) == 0xFFFFFF; }));
}

// A named pipe where a level file should be would hold the listing (and the window with it) for
// a writer that never comes: the folder is not listed, the pipe never opened, and a line says why.
TEST(LevelSelect, NamedPipesInLevelFoldersAreNeverOpened) {
    Sandbox sandbox;
    make_level("a");
    make_level("b");
    make_level("c");
    make_level("d");
    std::filesystem::remove("levels/b/config.ini");
    std::filesystem::remove("levels/c/0.lvl");
    std::filesystem::remove("levels/d/1.lvl");
    NamedPipe config("levels/b/config.ini"), play("levels/c/0.lvl"), decor("levels/d/1.lvl");
    testing::internal::CaptureStdout();
    std::vector<std::string> names = list_levels().names;
    std::string out = testing::internal::GetCapturedStdout();
    EXPECT_EQ(names, (std::vector<std::string>{"a"}));
    for (const NamedPipe* pipe : {&config, &play, &decor})
        EXPECT_FALSE(pipe->opened()) << pipe->path;
    for (const char* path : {"levels/b/config.ini is a named pipe",
                             "levels/c/0.lvl is a named pipe", "levels/d/1.lvl is a named pipe"})
        EXPECT_NE(out.find(path), std::string::npos) << out;
}

TEST(LevelSelect, KeysWheelAndClicksChooseAsPlayersExpect) {
    TestDisplay display;
    Choosing s(10);
    selected_level = 0;
    s.press(SDLK_LEFT);  // the first level: no move, no sound
    EXPECT_EQ(selected_level, 0);
    EXPECT_FALSE(sound_played());
    s.press(SDLK_RIGHT);
    EXPECT_EQ(selected_level, 1);
    EXPECT_TRUE(sound_played());
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = -1;
    for (int i = 0; i < 12; ++i) s.with(wheel);
    EXPECT_EQ(selected_level, 9);  // stops at the last level
    sound_played();
    s.press(SDLK_RIGHT);
    EXPECT_FALSE(sound_played());

    // Every level can be chosen from the keyboard, the controller and with a click.
    s.press(SDLK_RETURN);
    EXPECT_EQ(s.ls.choice, (SelectChoice{SelectChoice::play, "level9"}));
    s.button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    EXPECT_EQ(selected_level, 8);
    EXPECT_TRUE(sound_played());
    s.button(SDL_CONTROLLER_BUTTON_A);
    EXPECT_EQ(s.ls.choice, (SelectChoice{SelectChoice::play, "level8"}));
    s.button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    s.press(SDLK_SPACE);
    EXPECT_EQ(s.ls.choice, (SelectChoice{SelectChoice::play, "level9"}));
    s.ls.scroll = 8;  // the ninth button in the middle of the window
    selected_level = 2;
    s.click(500 + 30, 300 + 70);  // on the card (82 pixels wide here) beside its label (27)
    EXPECT_EQ(s.ls.choice, (SelectChoice{SelectChoice::play, "level8"}));
    EXPECT_EQ(selected_level, 2);  // a click does not move the highlight

    // The back button is centred 100 pixels right of the left edge and 40 below the top.
    Choosing back(3);
    back.click(100 + 20, 40);
    EXPECT_EQ(back.ls.choice.kind, SelectChoice::none);  // its border is not inside
    back.click(100, 40);
    EXPECT_EQ(back.ls.choice.kind, SelectChoice::back);
    Choosing back_button(3);
    back_button.button(SDL_CONTROLLER_BUTTON_B);
    EXPECT_EQ(back_button.ls.choice.kind, SelectChoice::back);
    // A highlight past the list (levels removed since) chooses nothing.
    Choosing few(2);
    selected_level = 5;
    few.press(SDLK_SPACE);
    EXPECT_EQ(few.ls.choice.kind, SelectChoice::none);
    EXPECT_EQ(selected_level, 1);

    // The left stick moves the highlight once per push past half way.
    Choosing stick(5);
    selected_level = 0;
    SDL_Event push{};
    push.type = SDL_CONTROLLERAXISMOTION;
    push.caxis.axis = SDL_CONTROLLER_AXIS_LEFTX;
    for (Sint16 x : {30000, 32000, 0, 20000}) {
        push.caxis.value = x;
        stick.with(push);
    }
    EXPECT_EQ(selected_level, 2);
    push.caxis.value = -30000;
    stick.with(push);
    EXPECT_EQ(selected_level, 1);
}

TEST(LevelSelect, TheVeilFadesInThenOutAfterAChoice) {
    TestDisplay display;
    Choosing s(3);
    selected_level = 0;
    int frames = 0;
    while (s.ls.fade > 0 && frames < 100) {
        s.with(SDL_Event{});
        ++frames;
    }
    EXPECT_EQ(frames, 17);
    s.press(SDLK_SPACE);
    frames = 1;
    do {
        ++frames;
    } while (s.with(SDL_Event{}) == screen_running && frames < 100);
    EXPECT_EQ(frames, 17);
    EXPECT_EQ(s.ls.choice, (SelectChoice{SelectChoice::play, "level0"}));
    // Closing the window while the choice fades out quits instead.
    Choosing closing(3);
    closing.press(SDLK_RETURN);
    closing.c.quit = true;
    EXPECT_EQ(closing.with(SDL_Event{}), 1);
    EXPECT_EQ(closing.ls.choice.kind, SelectChoice::quit);
}

TEST(LevelSelect, TheScreenRemembersTheHighlightAndLeavesOnClose) {
    Sandbox sandbox;
    TestDisplay display;
    for (const char* n : {"a", "b", "c", "d"}) make_level(n);
    selected_level = 0;
    // Frames of the selection itself: the loading screen before it presents frames too.
    int frame = 0;
    auto on_frame = [&](std::function<void(int)> act) {
        set_frame_hook([&frame, act] {
            if (!loading_thread_alive()) act(++frame);
        });
    };
    on_frame([](int f) {
        if (f == 2 || f == 3) push_key(SDLK_RIGHT);
        if (f == 5) push_key(SDLK_RETURN);
    });
    auto select = [] {  // the listing it prints is not this test's concern
        testing::internal::CaptureStdout();
        SelectChoice chosen = level_select(nullptr);
        testing::internal::GetCapturedStdout();
        return chosen;
    };
    EXPECT_EQ(select(), (SelectChoice{SelectChoice::play, "c"}));
    EXPECT_EQ(selected_level, 2);
    auto quit = [] {
        SDL_Event e{};
        e.type = SDL_QUIT;
        SDL_PushEvent(&e);
    };
    frame = 0;
    on_frame([&](int f) {
        if (f == 3) quit();
    });
    EXPECT_EQ(select().kind, SelectChoice::quit);
    EXPECT_EQ(selected_level, 2);
    EXPECT_EQ(frame, 3 + 2);  // seen by the next frame's update, then one black frame
    // Keys pressed before the screen shows (while "Bravo !" or the loading screen showed)
    // choose nothing; a close of the window from then is still obeyed.
    frame = 0;
    set_frame_hook([&] {
        if (loading_thread_alive()) {
            push_key(SDLK_RETURN);
        } else if (++frame == 20) {
            quit();
        }
    });
    push_key(SDLK_RETURN);
    EXPECT_EQ(select().kind, SelectChoice::quit);
    EXPECT_EQ(frame, 20 + 2);
    set_frame_hook(nullptr);
    push_key(SDLK_RETURN);
    quit();
    EXPECT_EQ(select().kind, SelectChoice::quit);
}

// Only the backgrounds of the highlighted level and its neighbours hold their bands: they are
// fitted on a worker thread as the highlight moves, and let go once it has moved on. Levels
// sharing a background share one.
TEST(LevelSelect, BackgroundsNearTheHighlightAreFittedTheOthersLetGo) {
    Sandbox sandbox;
    TestDisplay display;
    const char* fonds[] = {"1", "2", "1", "3", "4", "vallee.png"};
    for (int i = 0; i < 6; ++i) make_level("level" + std::to_string(i), fonds[i]);
    selected_level = 0;
    LevelSelect ls;
    LevelSelectArt art;
    LevelSelectSounds snd;
    testing::internal::CaptureStdout();
    level_select_load(ls, art, snd);
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(art.backgrounds.size(), 5u);
    EXPECT_EQ(art.background_of, (std::vector<std::size_t>{0, 1, 0, 2, 3, 4}));
    auto fitted = [&] {
        std::string which;
        for (const BackgroundArt& b : art.backgrounds) which += b.bands[0].plain ? "+" : "-";
        return which;
    };
    // Layered backgrounds cross-fade on the frame itself: no canvas is held for them.
    auto canvases = [&] { return art.canvases[0] && art.canvases[1]; };
    EXPECT_EQ(fitted(), "++---");  // levels 0 and 1 at once, ready for the first frame
    EXPECT_FALSE(canvases());
    selected_level = 3;
    ls.scroll = 2.5;  // gliding from level 2 to 3: both show
    level_select_fit(art, ls);
    for (BackgroundArt& b : art.backgrounds) select_background_settle(b);
    EXPECT_EQ(fitted(), "+-++-");  // level 2 is a "1", level 1 is left behind
    ls.scroll = 3;
    level_select_fit(art, ls);
    for (BackgroundArt& b : art.backgrounds) select_background_settle(b);
    EXPECT_EQ(fitted(), "+-++-");  // 2 and 4 beside the highlight
    EXPECT_FALSE(canvases());
    // Beside the panorama, the canvases are made before the carousel turns towards it.
    selected_level = 4;
    ls.scroll = 4;
    level_select_fit(art, ls);
    for (BackgroundArt& b : art.backgrounds) select_background_settle(b);
    EXPECT_EQ(fitted(), "--++-");
    EXPECT_TRUE(canvases());
    selected_level = 2;
    ls.scroll = 2;
    level_select_fit(art, ls);
    EXPECT_FALSE(canvases());
}
