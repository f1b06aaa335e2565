// Long runs of the game on the virtual clock, headless, watching what the process holds.
//
//   mivo_soak soak FRAMES     Plays FRAMES frames (216000 = one hour at 60 frames a second)
//                             across every shipped level, copied to a temporary folder, with
//                             seeded random play: walking, jumps, dashes, deaths, the editor
//                             switched on and off and painting with the mouse, saves (U),
//                             reloads (R), doors, the pause menu, wins with their score screen.
//                             Resident memory and open files are sampled along the way and must
//                             stay flat after the first minute.
//   mivo_soak entries COUNT   Enters and leaves levels COUNT times through the game's own flow
//                             (level selection, level, score screen or pause menu, selection
//                             again). Memory, live textures, threads and open files must come
//                             back to where they were after the first entry.
//
// Prints its measurements; exits 1 when something grew.
#include <SDL.h>
#include <SDL_image.h>
#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "app/clock.h"
#include "app/draw.h"
#include "app/input.h"
#include "app/main_flow.h"
#include "session/session.h"
#include "support/harness.h"
#include "world/level_select.h"

namespace fs = std::filesystem;

// A small quarantine for freed memory: AddressSanitizer still catches use after free, and the
// resident size follows what the game really holds instead of the quarantine filling up.
extern "C" const char* __asan_default_options() { return "quarantine_size_mb=8"; }

// Live textures, counted around SDL's own functions: every texture the game makes comes from one
// of these (SDL_image's loaders end in SDL_CreateTextureFromSurface too).
namespace {
std::atomic<long> live_textures{0};

template <typename F>
F real(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}
}  // namespace

extern "C" SDL_Texture* SDL_CreateTexture(SDL_Renderer* r, Uint32 format, int access, int w,
                                          int h) {
    static auto f = real<SDL_Texture* (*)(SDL_Renderer*, Uint32, int, int, int)>(
        "SDL_CreateTexture");
    SDL_Texture* t = f(r, format, access, w, h);
    if (t) ++live_textures;
    return t;
}
extern "C" SDL_Texture* SDL_CreateTextureFromSurface(SDL_Renderer* r, SDL_Surface* s) {
    static auto f =
        real<SDL_Texture* (*)(SDL_Renderer*, SDL_Surface*)>("SDL_CreateTextureFromSurface");
    SDL_Texture* t = f(r, s);
    if (t) ++live_textures;
    return t;
}
extern "C" void SDL_DestroyTexture(SDL_Texture* t) {
    static auto f = real<void (*)(SDL_Texture*)>("SDL_DestroyTexture");
    if (t) --live_textures;
    f(t);
}

namespace {
constexpr int frames_a_minute = 3600;

struct Sample {
    long frame = 0;
    long rss_kb = 0;
    int fds = 0, threads = 0;
    long textures = 0;
};

int entries_in(const char* folder) {
    int n = 0;
    for (const auto& e : fs::directory_iterator(folder)) {
        (void)e;
        ++n;
    }
    return n;
}

Sample sample(long frame) {
    Sample s;
    s.frame = frame;
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    s.rss_kb = resident * (sysconf(_SC_PAGESIZE) / 1024);
    s.fds = entries_in("/proc/self/fd") - 1;  // less the one listing the folder
    s.threads = entries_in("/proc/self/task");
    s.textures = live_textures.load();
    return s;
}

void print_sample(const char* label, const Sample& s) {
    std::printf("%-10s frame %7ld  rss %7ld kB  fds %3d  threads %2d  textures %4ld\n", label,
                s.frame, s.rss_kb, s.fds, s.threads, s.textures);
}

// Music workers and the loading screen's thread end in real time: waits (up to 5 s) for the
// thread count to come down to `expected`.
void let_threads_end(int expected) {
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (sample(0).threads > expected && std::chrono::steady_clock::now() < give_up)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

void copy_shipped_levels() {
    fs::copy(source_dir() + "/levels", "levels",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

std::vector<std::string> level_names() {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator("levels"))
        if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

void push_key(Uint32 type, SDL_Keycode key) {
    SDL_Event e{};
    e.type = type;
    e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(key);
    SDL_PushEvent(&e);
}
void tap(SDL_Keycode key) {
    push_key(SDL_KEYDOWN, key);
    push_key(SDL_KEYUP, key);
}

// What the frame hook does while a screen inside a frame (the pause menu) or after the level
// (the score screen) has the loop.
enum class Nested { none, pause_resume, pause_back, score };

// The keys that leave the pause menu for the level selection: "Back to menu", then "Yes".
void pause_back_keys(int f) {
    static const SDL_Keycode keys[] = {SDLK_DOWN, SDLK_RETURN, SDLK_DOWN, SDLK_RETURN};
    if (f % 8 == 0 && f / 8 >= 1 && f / 8 <= 4) tap(keys[f / 8 - 1]);
}

int soak(long total) {
    Sandbox sandbox;
    copy_shipped_levels();
    write_file("settings.ini",
               "mode=3\nresx=1000\nresy=600\nlissage=0\nvolume_general=0\n"
               "volume_musique=100\nvolume_effets=100\nvolume_menus=100\n");
    TestDisplay display(1000, 600);
    std::vector<std::string> levels = level_names();
    std::mt19937 rng(20261208);
    auto chance = [&](int one_in) { return std::uniform_int_distribution<int>(1, one_in)(rng) == 1; };
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };

    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    input_install_keyboard(keys.data());
    const long interval = total >= 100000 ? 10000 : 1000;
    std::vector<Sample> curve;
    long frame = 0;
    Nested nested = Nested::none;
    int nested_frames = 0;
    const SDL_threadID main_thread = SDL_ThreadID();
    set_frame_hook([&] {
        if (SDL_ThreadID() != main_thread) return;  // the loading screen's own frames
        ++frame;
        if (frame % interval == 0) {
            curve.push_back(sample(frame));
            print_sample("sample", curve.back());  // as it goes: a long run shows its curve
        }
        if (nested == Nested::none) return;
        ++nested_frames;
        if (nested == Nested::pause_resume && nested_frames == 20) tap(SDLK_ESCAPE);
        if (nested == Nested::pause_back) pause_back_keys(nested_frames);
        if (nested == Nested::score && nested_frames % 30 == 0) tap(SDLK_RETURN);
        // Whatever screen is stuck, it gets a way out.
        if (nested_frames == 600) tap(SDLK_ESCAPE);
    });

    int visits = 0, wins = 0, saves = 0, reloads = 0, editor_toggles = 0, doors_used = 0,
        pauses = 0, deaths = 0;
    auto hold = [&](SDL_Scancode k, bool down) { keys[k] = down ? 1 : 0; };
    while (frame < total) {
        const std::string& level = levels[static_cast<size_t>(visits) % levels.size()];
        ++visits;
        Session s;
        session_start(s, level);
        // Short runs visit more often, so that the samples after the first minute span
        // several visits.
        const long leave_at = frame + (total >= 100000 ? pick(1500, 6000) : pick(300, 1500));
        const bool to_win = visits % 4 == 0;  // every fourth visit goes to the exit
        bool placed = false, leaving = false;
        std::fill(keys.begin(), keys.end(), 0);
        while (session_running_now(s) && frame < total) {
            if (frame >= leave_at) {
                // Time to go: into the exit's portal (it then takes the player by itself), or
                // out through the pause menu's "Back to menu", or as a closed window leaves.
                if (to_win && !placed && !s.editor.active) {
                    s.player.x = s.world.exit_x + 5 - s.player.w / 2;  // the portal's middle
                    s.player.y = s.world.exit_y + 5 - s.player.h / 2;
                    placed = true;
                } else if (!leaving && (!to_win || frame >= leave_at + 600)) {
                    leaving = true;
                    if (chance(2)) break;
                    nested = Nested::pause_back;
                    tap(SDLK_ESCAPE);
                } else if (frame >= leave_at + 1200) {
                    break;
                }
            } else {
                if (frame % 25 == 0) {
                    hold(SDL_SCANCODE_RIGHT, chance(2));
                    hold(SDL_SCANCODE_LEFT, !keys[SDL_SCANCODE_RIGHT] && chance(3));
                    hold(SDL_SCANCODE_LSHIFT, chance(2));
                    hold(SDL_SCANCODE_UP, chance(3));
                }
                if (chance(40)) tap(SDLK_SPACE);
                if (chance(150)) {
                    tap(SDLK_RIGHT);
                    tap(SDLK_RIGHT);  // a dash
                }
                if (chance(500)) {
                    tap(SDLK_e);
                    ++editor_toggles;
                }
                if (chance(900)) {
                    tap(SDLK_u);
                    ++saves;
                }
                if (chance(700)) {
                    tap(SDLK_r);
                    ++reloads;
                }
                if (chance(1500)) {
                    tap(SDLK_b);
                    ++deaths;
                }
                if (chance(2000)) tap(SDLK_p);
                if (chance(1200)) {
                    nested = Nested::pause_resume;
                    tap(SDLK_ESCAPE);
                    ++pauses;
                }
                if (!s.doors.doors.empty() && chance(300) && !s.editor.active) {
                    const Door& d = s.doors.doors[static_cast<size_t>(pick(
                        0, static_cast<int>(s.doors.doors.size()) - 1))];
                    s.player.x = d.x + 1;
                    s.player.y = d.y;
                    tap(SDLK_DOWN);
                    ++doors_used;
                }
                if (s.editor.active) {
                    // The author paints and erases with the mouse and picks tiles with keys.
                    int x = pick(0, window_width - 1), y = pick(0, window_height - 1);
                    Uint32 buttons = chance(3) ? SDL_BUTTON_LMASK : chance(6) ? SDL_BUTTON_RMASK : 0;
                    input_install_mouse(true, buttons, x, y);
                    SDL_Event motion{};
                    motion.type = SDL_MOUSEMOTION;
                    motion.motion.x = x;
                    motion.motion.y = y;
                    motion.motion.state = buttons;
                    SDL_PushEvent(&motion);
                    if (chance(60)) {
                        static const SDL_Keycode picks[] = {SDLK_1, SDLK_2, SDLK_3, SDLK_4,
                                                            SDLK_a, SDLK_h, SDLK_j, SDLK_TAB};
                        tap(picks[pick(0, 7)]);
                    }
                } else {
                    input_install_mouse(true, 0, 0, 0);
                }
            }
            nested_frames = 0;
            session_frame(s);
            if (nested != Nested::pause_back) nested = Nested::none;
        }
        input_install_mouse(false);
        if (s.session_result == session_won) ++wins;
        nested = Nested::score;
        nested_frames = 0;
        session_end(s);
        nested = Nested::none;
        if (s.session_result == session_quit) {
            std::printf("the game asked to quit at frame %ld\n", frame);
            break;
        }
    }
    set_frame_hook(nullptr);
    input_install_keyboard(nullptr);

    std::printf("soak: %ld frames, %d level visits (%zu levels), %d wins, %d editor toggles, "
                "%d saves, %d reloads, %d deaths, %d doors, %d pauses\n",
                frame, visits, levels.size(), wins, editor_toggles, saves, reloads, deaths,
                doors_used, pauses);
    // Flat after the first minute: every later sample within the tolerance of the first one.
    const Sample* base = nullptr;
    for (const Sample& c : curve)
        if (!base && c.frame >= frames_a_minute) base = &c;
    bool flat = true;
    long worst_rss = 0;
    int worst_fds = 0;
    std::printf("the curve (frames, resident kB, open files):");
    for (const Sample& c : curve) std::printf(" %ld:%ld:%d", c.frame, c.rss_kb, c.fds);
    std::printf("\n");
    for (const Sample& c : curve) {
        if (!base || c.frame <= base->frame) continue;
        worst_rss = std::max(worst_rss, c.rss_kb - base->rss_kb);
        worst_fds = std::max(worst_fds, c.fds - base->fds);
    }
    const long rss_tolerance_kb = std::max(24L * 1024, base ? base->rss_kb / 10 : 0);
    if (!base || curve.size() < 3) {
        std::printf("too few samples to judge\n");
        flat = false;
    } else {
        std::printf("after the first minute: rss grew at most %ld kB (tolerance %ld kB), "
                    "fds at most %d (tolerance 1)\n",
                    worst_rss, rss_tolerance_kb, worst_fds);
        // (One file more at times: a music worker may have its track open at the moment.)
        flat = worst_rss <= rss_tolerance_kb && worst_fds <= 1;
    }
    std::printf(flat ? "soak: flat\n" : "soak: GREW\n");
    return flat && frame >= total ? 0 : 1;
}

// Level entries and exits through the game's own flow.
int entries(int count) {
    Sandbox sandbox;
    copy_shipped_levels();
    // A level won on its first frame: its start stands in the exit's portal, so the score
    // screen and "Bravo !" come in the round too.
    write_file("levels/zz_bravo/0.lvl", "\n\n\n\n\n\n\n[a20]\n");
    write_file("levels/zz_bravo/1.lvl", "\n\n\n      A\n\n\n\n  B\n");
    write_file("levels/zz_bravo/config.ini", "titre=Bravo\ncreateur=Test\ntheme=base\n");
    write_file("settings.ini",
               "mode=3\nresx=1000\nresy=600\nlissage=0\nvolume_general=0\n"
               "volume_musique=100\nvolume_effets=100\nvolume_menus=100\n");
    TestDisplay display(1000, 600);
    const int levels = static_cast<int>(level_names().size());
    std::mt19937 rng(1208);

    std::vector<Uint8> keys(SDL_NUM_SCANCODES, 0);
    input_install_keyboard(keys.data());
    input_install_mouse(true, 0, 0, 0);
    std::string screen;
    int in_screen = 0, entered = 0, wins = 0, backs = 0, steps = 0;
    long frame = 0;
    Sample first{}, last{};
    bool stuck = false;
    std::vector<std::string> results;
    set_flow_trace([&](FlowMoment m, const std::string& name, const std::string& result) {
        if (m == FlowMoment::returned) {
            if (name == "session") (result == std::to_string(session_won) ? wins : backs) += 1;
            screen.clear();
            return;
        }
        screen = name;
        in_screen = 0;
        if (name == "session") ++entered;
        if (name != "select") return;
        // Where the selection shows again after the first round and after the last one.
        if (entered == 1 || entered == count) {
            let_threads_end(first.threads > 0 ? first.threads : 1);
            (entered == 1 ? first : last) = sample(frame);
        } else if (entered % 50 == 0) {
            print_sample(("after " + std::to_string(entered)).c_str(), sample(frame));
        }
        // Any level, each as likely: steps to it from the highlighted one (negative: left).
        steps = std::uniform_int_distribution<int>(0, levels - 1)(rng) - selected_level;
    });
    const SDL_threadID main_thread = SDL_ThreadID();
    set_frame_hook([&] {
        // The loading screens present from their own thread; the person acts between the
        // frames of the screens themselves.
        if (SDL_ThreadID() != main_thread) return;
        ++frame;
        ++in_screen;
        if (frame > 2000L * count + 5000) {  // a flow that no longer moves: the window closes
            stuck = true;
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            return;
        }
        if (screen == "select" && entered >= count && in_screen == 25) {
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
        } else if (screen == "select" && in_screen >= 25 && in_screen % 4 == 1) {
            // The level `steps` places after the highlighted one, then Return (again while the
            // selection is still there: keys from before it opened are dropped).
            if (steps > 0) {
                tap(SDLK_RIGHT);
                steps -= 1;
            } else if (steps < 0) {
                tap(SDLK_LEFT);
                steps += 1;
            } else if (in_screen % 40 == 1) {
                tap(SDLK_RETURN);
            }
        } else if (screen == "session" && in_screen >= 60) {
            // Left through the pause menu; a won level waits on its score screen for a key.
            int f = in_screen - 60;
            if (f % 200 == 0) tap(SDLK_ESCAPE);
            pause_back_keys(f % 200);
            if (f % 200 == 100) tap(SDLK_RETURN);
        }
    });
    int result = level_run();
    set_frame_hook(nullptr);
    set_flow_trace(nullptr);
    input_install_keyboard(nullptr);
    input_install_mouse(false);

    std::printf("entries: %d levels entered (%d won, %d left through the pause menu), %ld frames, "
                "level_run gave %d\n",
                entered, wins, backs, frame, result);
    print_sample("after 1", first);
    print_sample(("after " + std::to_string(count)).c_str(), last);
    bool ok = !stuck && entered == count && first.frame > 0 && last.frame > 0;
    if (stuck) std::printf("the flow stopped moving on the %s screen\n", screen.c_str());
    const long rss_tolerance_kb = 24L * 1024;
    ok = ok && last.textures == first.textures && last.threads == first.threads &&
         last.fds == first.fds && last.rss_kb - first.rss_kb <= rss_tolerance_kb;
    std::printf("rss %+ld kB (tolerance %ld kB), textures %+ld, threads %+d, fds %+d: %s\n",
                last.rss_kb - first.rss_kb, rss_tolerance_kb, last.textures - first.textures,
                last.threads - first.threads, last.fds - first.fds, ok ? "back where they were"
                                                                        : "GREW");
    return ok ? 0 : 1;
}
}  // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_setenv("SDL_AUDIODRIVER", "dummy", 0);
    SDL_setenv("SDL_RENDER_DRIVER", "software", 0);
    std::string what = argc > 1 ? argv[1] : "";
    long n = argc > 2 ? std::atol(argv[2]) : 0;
    if (what == "soak" && n > 0) return soak(n);
    if (what == "entries" && n > 1) return entries(static_cast<int>(n));
    std::printf("usage: mivo_soak soak FRAMES | mivo_soak entries COUNT\n");
    return 2;
}
