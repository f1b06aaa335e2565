// The whole game from start-up to quit, played by a script as a person would play it: each
// screen the flow opens gets the keys or clicks it waits for, and every screen must hand the flow
// the result that leads to the next one.
#include "app/main_flow.h"

#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/assets.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/input.h"
#include "app/settings.h"
#include "levelend/score.h"
#include "menus/main_menu.h"
#include "menus/title.h"
#include "session/session.h"
#include "support/harness.h"
#include "world/level_select.h"

namespace {
constexpr int frame_limit = 3000;  // the longest flow here takes some 650 frames
constexpr int held_frames = 3;     // how long a finger stays on a key or a button
constexpr int score_read_frames = 10;

// Two levels, listed in name order. "alpha" is never meant to be played: the player stands far
// from its exit. In "beta" the start marker lies half a cell from the exit point, five cells up
// and right of the exit marker, so the exit captures the player on the first frame and the level
// is won without a key.
void write_levels() {
    write_file("levels/alpha/0.lvl", "\n\n\n\n\n\n\n[a20]\n");
    write_file("levels/alpha/1.lvl", "\n\n\n\n\n\n A\n[ 19]B\n");
    write_file("levels/alpha/config.ini", "titre=Alpha\ncreateur=Test\ntheme=base\n");
    write_file("levels/beta/0.lvl", "\n\n\n\n\n\n\n[a20]\n");
    write_file("levels/beta/1.lvl", "\n\n\n      A\n\n\n\n  B\n");
    write_file("levels/beta/config.ini", "titre=Beta\ncreateur=Test\ntheme=base\n");
}

// The game's own folder: settings and levels of its own beside the resource tree. The clock is
// virtual, so the splash holds and loading screens cost no real time; what the run changes in
// the process (settings, the highlighted level, the window size) is put back afterwards.
struct GameFolder {
    Sandbox sandbox;
    Settings settings_before = settings;
    int selected_before = selected_level;
    GameFolder() {
        write_file("settings.ini",
                   "mode=3\nresx=800\nresy=600\nlissage=0\nvolume_general=0\n"
                   "volume_musique=100\nvolume_effets=100\nvolume_menus=100\n");
        write_levels();
        selected_level = 0;
        clock_use_virtual(true, 0);
        reset_frame_cap();
    }
    ~GameFolder() {
        settings = settings_before;
        selected_level = selected_before;
        window_width = 1000;
        window_height = 600;
        clock_use_virtual(false);
    }
};

// What the flow told: a screen starting or returning, at which frame and clock reading.
struct FlowEvent {
    FlowMoment moment;
    std::string screen, result;
    int frame = 0, ms = 0;
};

// A person at the keyboard and the mouse, watching the flow: knows which screen shows and for
// how many frames, presses keys and buttons for a few frames, and closes the window when the
// game has not ended after frame_limit frames.
struct Person {
    SDL_threadID main_thread = SDL_ThreadID();
    std::array<Uint8, SDL_NUM_SCANCODES> keys{};
    std::string screen = "start-up";
    std::map<std::string, int> visits;  // how often each screen has started
    int frame = 0, frame_in_screen = 0;
    std::vector<FlowEvent> told;
    std::vector<int> widths;  // the window's width at each frame, from frame 1
    std::multimap<int, std::function<void()>> due;  // presses and releases waiting for their frame
    std::string stuck_on;                           // the screen showing at frame_limit
    std::function<void(Person&)> script;            // acts on a frame of a screen

    Person() {
        input_install_keyboard(keys.data());
        input_install_mouse(true, 0, 0, 0);
        set_flow_trace([this](FlowMoment m, const std::string& name, const std::string& result) {
            told.push_back({m, name, result, frame, now_ms()});
            if (m == FlowMoment::starts) {
                screen = name;
                visits[name] += 1;
                frame_in_screen = 0;
                return;
            }
            screen = "way out of the " + name + " screen";
            // The game quits next. Music workers load their track in real time, which the
            // virtual clock's instant waits at shutdown do not allow for.
            if (name == "menu" &&
                (result == std::to_string(menu_code_quit) || result == std::to_string(tile_close)))
                let_music_workers_finish();
        });
        set_frame_hook([this] { on_frame(); });
    }
    ~Person() {
        set_frame_hook(nullptr);
        set_flow_trace(nullptr);
        input_install_keyboard(nullptr);
        input_install_mouse(false);
    }
    Person(const Person&) = delete;
    Person& operator=(const Person&) = delete;

    // The screen's results in order, each as "screen result".
    std::vector<std::string> results() const {
        std::vector<std::string> r;
        for (const FlowEvent& e : told)
            if (e.moment == FlowMoment::returned) r.push_back(e.screen + " " + e.result);
        return r;
    }

    int visit() const {
        auto it = visits.find(screen);
        return it == visits.end() ? 0 : it->second;
    }

    void on_frame() {
        // The loading screens present from their own thread; the person acts between the
        // frames of the screens themselves.
        if (SDL_ThreadID() != main_thread) return;
        frame += 1;
        frame_in_screen += 1;
        int w = 0, h = 0;
        SDL_GetWindowSize(game_window, &w, &h);
        widths.push_back(w);
        auto [now_due, later] = due.equal_range(frame);
        for (auto it = now_due; it != later; ++it) it->second();
        due.erase(now_due, later);
        if (frame >= frame_limit) {
            if (stuck_on.empty()) stuck_on = screen;
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return;
        }
        if (script) script(*this);
    }

    void push_key_event(Uint32 type, SDL_Keycode key) {
        SDL_Event e{};
        e.type = type;
        e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = key;
        e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
        SDL_PushEvent(&e);
        keys[e.key.keysym.scancode] = type == SDL_KEYDOWN;
    }

    // Key down now, up a few frames later.
    void press(SDL_Keycode key) {
        push_key_event(SDL_KEYDOWN, key);
        due.emplace(frame + held_frames, [this, key] { push_key_event(SDL_KEYUP, key); });
    }

    void push_button_event(Uint32 type, int x, int y) {
        SDL_Event e{};
        e.type = type;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
        e.button.clicks = 1;
        e.button.x = x;
        e.button.y = y;
        SDL_PushEvent(&e);
        input_install_mouse(true, type == SDL_MOUSEBUTTONDOWN ? SDL_BUTTON_LMASK : 0, x, y);
    }

    // The pointer moves onto (x, y); the button goes down two frames later, up a few after that.
    void click(int x, int y) {
        SDL_Event motion{};
        motion.type = SDL_MOUSEMOTION;
        motion.motion.x = x;
        motion.motion.y = y;
        SDL_PushEvent(&motion);
        input_install_mouse(true, 0, x, y);
        due.emplace(frame + 2, [this, x, y] { push_button_event(SDL_MOUSEBUTTONDOWN, x, y); });
        due.emplace(frame + 2 + held_frames,
                    [this, x, y] { push_button_event(SDL_MOUSEBUTTONUP, x, y); });
    }

    // The centre of a main-menu tile in the current window.
    void click_tile(int k) {
        MenuTile t = main_menu_tile(k, window_width, window_height);
        click(window_width / 2 + t.dx, window_height / 2 + t.dy);
    }

    // The visit-th time the flow told this, or nullptr.
    const FlowEvent* find(FlowMoment m, const std::string& name, int visit = 1) const {
        for (const FlowEvent& e : told)
            if (e.moment == m && e.screen == name && --visit == 0) return &e;
        return nullptr;
    }

    // After the last screen returned: the window shrinks frame after frame to nothing.
    void expect_closing_animation() const {
        ASSERT_FALSE(told.empty());
        size_t from = static_cast<size_t>(told.back().frame);
        ASSERT_LT(from, widths.size()) << "no frame after the last screen";
        std::vector<int> closing(widths.begin() + static_cast<long>(from), widths.end());
        EXPECT_GE(closing.size(), 40u);
        for (size_t i = 1; i < closing.size(); ++i) EXPECT_LE(closing[i], closing[i - 1]);
        EXPECT_LT(closing.back(), settings.resx / 10);
    }
};

// The score screen as a person recognises it: a black window with the prompt to press a key
// on the row below the total, its two halves either side of the window's middle.
struct ScoreLook {
    int label_w = 0, label_h = 0, value_w = 0, value_h = 0;
    double row = 0;

    // Measured once with the screen's own font, closed again before the game quits.
    void measure() {
        if (label_w > 0) return;
        ScoreRow prompt = score_rows(0, 0, 0, 0).back();
        FontPtr font = open_font("intensa.ttf", 60);
        if (!font) return;
        TTF_SizeUTF8(font.get(), prompt.label.c_str(), &label_w, &label_h);
        TTF_SizeUTF8(font.get(), prompt.value.c_str(), &value_w, &value_h);
        row = prompt.r;
    }

    static bool black(int x, int y) {
        SDL_Color c = read_pixel(x, y);
        return c.r == 0 && c.g == 0 && c.b == 0;
    }

    static bool has_white(SDL_Rect r) {
        if (r.w <= 0 || r.h <= 0) return false;
        std::vector<Uint32> px(static_cast<size_t>(r.w) * r.h);
        SDL_RenderReadPixels(game_renderer, &r, SDL_PIXELFORMAT_ARGB8888, px.data(), r.w * 4);
        for (Uint32 p : px)
            if ((p & 0xFFFFFF) == 0xFFFFFF) return true;
        return false;
    }

    bool showing() {
        measure();
        int w = window_width, h = window_height;
        if (!black(0, 0) || !black(w - 1, 0) || !black(0, h - 1) || !black(w - 1, h - 1))
            return false;
        return has_white(score_label_rect(w, h, label_w / 2, label_h / 2, row)) &&
               has_white(score_value_rect(w, h, value_w / 2, value_h / 2, row));
    }
};

std::string code(int c) { return std::to_string(c); }
}  // namespace

// Start-up with the folder's settings and both splash screens, the title, "Story", the second
// level chosen with the arrow and Return, the level won at once, the score screen, "Bravo !",
// the selection's back button, "Close": every screen returns what leads to the next one, and the
// game ends through the closing animation with status 0.
TEST(MainFlow, AWonLevelThenBackToTheMenuAndClose) {
    GameFolder folder;
    Person person;
    ScoreLook score;
    int title_width = 0, title_height = 0;
    int title_music = -1, level_music = -1;
    int score_seen = -1, score_pressed = -1;
    person.script = [&](Person& p) {
        const int f = p.frame_in_screen, visit = p.visit();
        if (p.screen == "splash" && visit == 2 && f == 40) {
            p.press(SDLK_RETURN);  // the second splash is cut short during its hold
        } else if (p.screen == "title" && f == 1) {
            title_width = window_width;
            title_height = window_height;
            title_music = Mix_VolumeMusic(-1);
        } else if (p.screen == "title" && f == 10) {
            p.press(SDLK_RETURN);
        } else if (p.screen == "menu" && visit == 1 && f == 30) {
            p.click_tile(tile_story);
        } else if (p.screen == "select" && visit == 1 && f == 25) {
            p.press(SDLK_RIGHT);
        } else if (p.screen == "select" && visit == 1 && f == 35) {
            p.press(SDLK_RETURN);
        } else if (p.screen == "session" && score_pressed < 0) {
            level_music = std::max(level_music, Mix_VolumeMusic(-1));
            if (score_seen < 0 && score.showing()) score_seen = p.frame;
            if (score_seen >= 0 && p.frame == score_seen + score_read_frames) {
                EXPECT_TRUE(score.showing()) << "the score screen went before a key was pressed";
                score_pressed = p.frame;
                p.press(SDLK_RETURN);
            }
        } else if (p.screen == "select" && visit == 2 && f == 25) {
            p.click(100, 40);  // the back button, centred 100 pixels right and 40 down
        } else if (p.screen == "menu" && visit == 2 && f == 40) {
            p.click_tile(tile_close);
        }
    };

    int status = run_game();

    ASSERT_EQ(person.stuck_on, "")
        << "the game did not end: stuck on the " << person.stuck_on
        << " screen, which returned so far: " << testing::PrintToString(person.results());
    EXPECT_EQ(status, 0);
    EXPECT_EQ(person.results(), (std::vector<std::string>{
                                    "splash 1",
                                    "splash 1",
                                    "title " + code(title_go_on),
                                    "menu " + code(tile_story),
                                    "select beta",
                                    "session " + code(session_won),
                                    "message Bravo !",
                                    "select <back>",
                                    "menu " + code(tile_close),
                                }));
    // The window took the size of the folder's settings before the title.
    EXPECT_EQ(title_width, 800);
    EXPECT_EQ(title_height, 600);
    // The folder's volume of 0 holds for the title music started after the settings, and in the
    // level, whose exit lowers the music from there.
    EXPECT_EQ(title_music, 0);
    EXPECT_EQ(level_music, 0);
    // The score screen came after the level and stayed until the key; the session ended on it.
    ASSERT_GE(score_seen, 0) << "no score screen after the won level";
    ASSERT_GE(score_pressed, 0);
    const FlowEvent* session_end = person.find(FlowMoment::returned, "session");
    ASSERT_NE(session_end, nullptr);
    EXPECT_GT(session_end->frame, score_pressed);
    EXPECT_LE(session_end->frame, score_pressed + held_frames);
    // "Bravo !" stays 1.5 s before the selection comes back.
    const FlowEvent* bravo = person.find(FlowMoment::starts, "message");
    const FlowEvent* again = person.find(FlowMoment::starts, "select", 2);
    ASSERT_NE(bravo, nullptr);
    ASSERT_NE(again, nullptr);
    EXPECT_GE(again->ms - bravo->ms, 1500);
    person.expect_closing_animation();
}

// Closing the window on the main menu quits the game through the closing animation.
TEST(MainFlow, ClosingTheWindowOnTheMenuQuits) {
    GameFolder folder;
    Person person;
    person.script = [](Person& p) {
        if (p.screen == "splash" && p.frame_in_screen == 30) {
            p.press(SDLK_SPACE);
        } else if (p.screen == "title" && p.frame_in_screen == 10) {
            p.press(SDLK_SPACE);
        } else if (p.screen == "menu" && p.frame_in_screen == 20) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        }
    };

    int status = run_game();

    ASSERT_EQ(person.stuck_on, "")
        << "the game did not end: stuck on the " << person.stuck_on << " screen";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(person.results(),
              (std::vector<std::string>{"splash 1", "splash 1", "title " + code(title_go_on),
                                        "menu " + code(menu_code_quit)}));
    person.expect_closing_animation();
}

// Every folder the selection offers is played, even one named like a word the selection answers
// with ("0", "mode"). Closing the window while the selection fades out after a choice quits
// rather than starting the level.
TEST(MainFlow, EveryOfferedLevelIsPlayedAndClosingDuringTheFadeQuits) {
    TestDisplay display(800, 600);
    GameFolder folder;
    for (const char* name : {"0", "mode"}) {
        for (const char* file : {"0.lvl", "1.lvl", "config.ini"})
            write_file(std::string("levels/") + name + "/" + file,
                       read_file(std::string("levels/alpha/") + file));
    }
    Person person;
    bool close_in_fade = false;
    auto close = [] {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    };
    person.script = [&](Person& p) {
        if (p.screen == "select" && p.frame_in_screen == 25) {
            p.press(SDLK_RETURN);
            if (close_in_fade) p.due.emplace(p.frame + 3, close);
        } else if (p.screen == "session" && p.frame_in_screen == 5) {
            close();
        }
    };
    testing::internal::CaptureStdout();  // the listing
    // Listed in name order: 0, alpha, beta, mode.
    selected_level = 0;
    EXPECT_EQ(level_run(), 0);
    selected_level = 3;
    EXPECT_EQ(level_run(), 0);
    close_in_fade = true;
    EXPECT_EQ(level_run(), 0);
    testing::internal::GetCapturedStdout();
    let_music_workers_finish();
    EXPECT_EQ(person.results(),
              (std::vector<std::string>{"select 0", "session " + code(session_quit), "select mode",
                                        "session " + code(session_quit), "select <quit>"}));
}
