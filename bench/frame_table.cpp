// The frame budget of every screen: each screen's real update and drawing run a few hundred
// frames on the virtual clock with the software renderer, at 1000 × 600 and 1920 × 1080, and
// each frame is timed from its update to its present. The table gives per screen the median, the
// 99th percentile and the worst frame, the median of the instructions a frame takes (the
// machine's load changes the times, not the instructions), the peak resident memory while the
// screen ran, and a hash of every frame's pixels, which must not change when a screen's drawing
// is made quicker.
#include "frame_table.h"

#include <SDL.h>
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/assets.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/loading.h"
#include "app/paths.h"
#include "app/random.h"
#include "app/shell.h"
#include "app/stretched_copies.h"
#include "levelend/score.h"
#include "menus/main_menu.h"
#include "menus/settings_menu.h"
#include "menus/title.h"
#include "menus/widgets.h"
#include "session/race.h"
#include "session/session.h"
#include "world/camera.h"
#include "world/characters.h"
#include "world/enemies.h"
#include "world/level_select.h"

#include "bench_display.h"

#include <SDL_image.h>
#include <sys/wait.h>
#include <unistd.h>
#include <valgrind/callgrind.h>

namespace {
int measured_frames = 300;  // five seconds of play
constexpr int warm_up_frames = 30;
std::string only;  // screens whose name holds this, when not empty
int only_width = 0;
bool straight = false;  // "--straight": the screens' quicker ways off, to compare the pixels

bool wanted(const std::string& screen) {
    return only.empty() || screen.find(only) != std::string::npos;
}

// CPU time of this thread, in ms: what the frame costs, without the time other programs held
// the processor.
double thread_cpu_ms() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The peak resident memory starts again from the current one (Linux), and is read in MB. The
// memory the screens before freed goes back to the system first, so that it does not count.
void reset_peak_memory() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}
double peak_memory_mb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// Every screen starts alike, whatever ran before it: the same random draws, the clock at 0, no
// clouds in the menus' tunnel, and its peak memory counted from here.
void begin_screen() {
    random_seed(12345);
    clock_use_virtual(true, 0);
    cloud_tunnel = CloudTunnel{};
    reset_peak_memory();
}

struct Row {
    std::string screen;
    int w = 0, h = 0;
    double median = 0, p99 = 0, worst = 0;  // ms
    double wall_median = 0;                 // ms, the frame's time on the wall clock
    double peak_mb = 0;
    std::uint64_t hash = 0;
    std::string note;
};
std::vector<Row> rows;

// FNV-1a over the frame's pixels as the renderer holds them.
void hash_frame(std::uint64_t& h) {
    // Kept from frame to frame: a new frame-sized block each time would be mapped and cleared
    // anew by the system, which would disturb the frames being timed.
    static std::vector<Uint32> pixels;
    pixels.resize(static_cast<size_t>(window_width) * window_height);
    if (SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(),
                             window_width * 4) != 0)
        return;
    for (Uint32 p : pixels) {
        h ^= p;
        h *= 1099511628211ull;
    }
}

double percentile(std::vector<double> v, double q) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = std::min(v.size() - 1, static_cast<size_t>(q * static_cast<double>(v.size())));
    return v[i];
}

// Puts the virtual clock on frame n of a 60 Hz run. Set rather than advanced: the music workers
// wait on the same clock, as long as the machine makes them, which would make frames differ from
// one run to the next.
void clock_to_frame(long n) {
    constexpr int start_ms = 100000;
    clock_use_virtual(true, static_cast<int>(start_ms + n * 1000 / 60));
}

// Runs the frame (update, clear, draw) `warm_up_frames + measured_frames` times, presenting each,
// and records the timed ones.
void measure(const std::string& screen, const std::function<void()>& frame,
             const std::string& note = "") {
    if (!wanted(screen)) return;
    Row row;
    row.screen = screen;
    row.w = window_width;
    row.h = window_height;
    row.note = note;
    row.hash = 14695981039346656037ull;
    std::vector<double> ms, wall;
    for (int n = 0; n < warm_up_frames + measured_frames; ++n) {
        clock_to_frame(n);
        // Under callgrind the instructions of the measured frames alone are counted, one dump a
        // screen (bench/instructions.sh).
        if (n == warm_up_frames) {
            CALLGRIND_ZERO_STATS;
            CALLGRIND_TOGGLE_COLLECT;
        }
        auto t0 = std::chrono::steady_clock::now();
        double c0 = thread_cpu_ms();
        frame();
        SDL_RenderPresent(game_renderer);
        double c1 = thread_cpu_ms();
        auto t1 = std::chrono::steady_clock::now();
        if (n < warm_up_frames) continue;
        CALLGRIND_TOGGLE_COLLECT;
        ms.push_back(c1 - c0);
        wall.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
        std::uint64_t before = row.hash;
        hash_frame(row.hash);
        if (std::getenv("MIVO_TABLE_TRACE"))
            std::printf("frame %d %016llx %.2f ms\n", n,
                        static_cast<unsigned long long>(row.hash ^ before), c1 - c0);
        const char* dump_frame = std::getenv("MIVO_TABLE_DUMP_FRAME");
        if (n == (dump_frame ? std::atoi(dump_frame) : warm_up_frames) &&
            std::getenv("MIVO_TABLE_DUMP")) {
            SDL_Surface* shot = SDL_CreateRGBSurfaceWithFormat(0, window_width, window_height, 32,
                                                               SDL_PIXELFORMAT_ARGB8888);
            SDL_RenderReadPixels(game_renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, shot->pixels,
                                 shot->pitch);
            SDL_SaveBMP(shot, (std::string(std::getenv("MIVO_TABLE_DUMP")) + "/" + screen + "-" +
                               std::to_string(row.w) + ".bmp")
                                  .c_str());
            SDL_FreeSurface(shot);
        }
        CALLGRIND_TOGGLE_COLLECT;
    }
    CALLGRIND_TOGGLE_COLLECT;
    std::string dump = screen + " " + std::to_string(row.w) + "x" + std::to_string(row.h);
    CALLGRIND_DUMP_STATS_AT(dump.c_str());
    row.median = percentile(ms, 0.5);
    row.p99 = percentile(ms, 0.99);
    row.worst = percentile(ms, 1.0);
    row.wall_median = percentile(wall, 0.5);
    row.peak_mb = peak_memory_mb();
    rows.push_back(row);
    std::printf("  %-28s %4dx%-4d  median %6.2f ms  p99 %6.2f ms  worst %6.2f ms  (wall %6.2f)\n",
                screen.c_str(), row.w, row.h, row.median, row.p99, row.worst, row.wall_median);
    std::fflush(stdout);
}

using Display = BenchDisplay;

void clear() { SDL_RenderClear(game_renderer); }
// As a level's frame is: one its background covers whole is not cleared first.
void clear_under(const Session& s) {
    if (!background_covers_window(s.media.background)) clear();
}

std::vector<std::string> our_levels() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : std::filesystem::directory_iterator("levels", ec))
        if (e.is_directory()) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// What a view of the level shows at a player's place: enemies' spawn cells, rail platforms,
// doors, characters, and a bubble when the player stands by a character.
struct Crowd {
    int enemies = 0, platforms = 0, doors = 0, characters = 0;
    bool bubble = false;
    int score() const { return enemies + platforms + doors + characters + (bubble ? 5 : 0); }
};

Crowd crowd_at(const Session& s, double px, double py) {
    World view;
    camera_follow(view, px, py, -((window_width / 2) / tile_size()),
                  (window_height / 2 + window_height / 6) / tile_size(), 1, 1);
    double t = tile_size();
    double x0 = view.camera_x, y0 = view.camera_y;
    double x1 = x0 + window_width / t, y1 = y0 + window_height / t;
    auto in = [&](double x, double y) { return x + 1 > x0 && x < x1 && y + 1 > y0 && y < y1; };
    Crowd c;
    for (int row = static_cast<int>(y0); row <= static_cast<int>(y1); ++row)
        for (int col = static_cast<int>(x0); col <= static_cast<int>(x1); ++col)
            if (enemy_type_of_cell(grid_get(row, col, s.world.play_grid))) ++c.enemies;
    for (const RailPlatform& p : s.world.rails.list)
        if (in(p.x, p.y)) ++c.platforms;
    for (const Door& d : s.doors.doors)
        if (!d.hidden && in(d.x, d.y)) ++c.doors;
    for (const Character& e : s.characters.entries)
        if (!e.disabled && in(e.x, e.y)) ++c.characters;
    c.bubble = character_near(s.characters, px, py) != 0;
    return c;
}

// The player's place whose view shows the most: every other cell, and beside every character.
SDL_FPoint worst_place(const Session& s, Crowd& best) {
    SDL_FPoint at{static_cast<float>(s.player.x), static_cast<float>(s.player.y)};
    best = crowd_at(s, at.x, at.y);
    auto consider = [&](double x, double y) {
        Crowd c = crowd_at(s, x, y);
        if (c.score() > best.score()) {
            best = c;
            at = {static_cast<float>(x), static_cast<float>(y)};
        }
    };
    for (int y = 1; y < grid_height; y += 2)
        for (int x = 1; x < grid_width; x += 2) consider(x, y);
    for (const Character& e : s.characters.entries)
        if (!e.disabled) consider(e.x + 0.5, e.y);
    return at;
}

// Keeps a player standing at a place, unhurt and with all its time, frame after frame.
void hold_at(Player& p, SDL_FPoint at) {
    p.x = at.x;
    p.y = at.y;
    p.vx = p.vy = 0;
    p.hurt_until = now_ms() + 100000;
    p.time_left = full_time;
}

// A race in a level, both racers held at its most crowded place (each half draws the level
// from its own camera, with its own gauges).
void race_screen(const std::string& name, SDL_FPoint at) {
    begin_screen();
    Race r;
    race_start(r, name);
    Controls none;
    race_update(r, none);  // the level is read on the first frame
    auto hold = [&] {
        for (Racer& racer : r.racers) hold_at(racer.player, at);
    };
    for (int i = 0; i < 120; ++i) {  // the cameras settle there
        clock_to_frame(i - 120);
        hold();
        race_update(r, none);
    }
    measure("race " + name, [&] {
        hold();
        race_update(r, none);
        clear();
        race_draw(r);
    });
    race_end(r);
}

void session_screens() {
    std::vector<std::string> levels = our_levels();
    for (const std::string& name : levels) {
        bool first = name == levels.front();
        if (!wanted("level " + name) &&
            !(first && (wanted("editor") || wanted("pause menu") || wanted("loading"))))
            continue;
        begin_screen();
        Session s;
        session_start(s, name);
        Controls none;
        session_update(s, none);  // the level is read on the first frame
        Crowd crowd;
        SDL_FPoint at = worst_place(s, crowd);
        auto hold = [&] { hold_at(s.player, at); };
        for (int i = 0; i < 120; ++i) {  // the camera settles there
            clock_to_frame(i - 120);
            hold();
            session_update(s, none);
        }
        char note[160];
        std::snprintf(note, sizeof note,
                      "%d enemy cells, %d platforms, %d doors, %d characters%s in view",
                      crowd.enemies, crowd.platforms, crowd.doors, crowd.characters,
                      crowd.bubble ? ", bubble" : "");
        measure(
            "level " + name,
            [&] {
                hold();
                session_update(s, none);
                clear_under(s);
                session_draw(s);
            },
            note);
        if (first) {
            // The editor over the first level, in the same place.
            begin_screen();
            s.editor.active = true;
            measure("editor", [&] {
                hold();
                session_update(s, none);
                clear_under(s);
                session_draw(s);
            });
            s.editor.active = false;

            // The pause menu over it, its darkening settled.
            begin_screen();
            if (wanted("pause menu")) {
                SettingsMenu m = settings_menu_open(true);
                SettingsMenuArt art = settings_menu_art(true);
                art.backdrop = settings_menu_backdrop([&] { session_draw(s); });
                for (int i = 0; i < 100; ++i) settings_menu_update(m, none, nullptr);
                measure("pause menu", [&] {
                    settings_menu_update(m, none, nullptr);
                    clear();
                    settings_menu_draw(m, art);
                });
            }

            // The loading screen over its frozen frame.
            begin_screen();
            LoadingScreen ls;
            clear();
            session_draw(s);
            ls.backdrop = window_snapshot();
            ls.spinner =
                TexturePtr(IMG_LoadTexture(game_renderer, resource_path("ide/load.png").c_str()));
            ls.emblem =
                TexturePtr(IMG_LoadTexture(game_renderer, resource_path("ide/icon.png").c_str()));
            FontPtr font = open_font("intensa.ttf", 30);
            ls.label = make_label(font.get(), "Loading", {170, 170, 170, 255});
            measure("loading", [&] {
                loading_update(ls);
                clear();
                loading_draw(ls);
            });
        }
        session_end(s);
        if (first && wanted("race " + name)) race_screen(name, at);
    }
}

void menu_screens() {
    Controls none;
    if (wanted("title")) {
        begin_screen();
        Title t;
        TitleArt art = title_art();
        for (int i = 0; i < 200; ++i) title_update(t, none, nullptr);
        measure("title", [&] {
            title_update(t, none, nullptr);
            clear();
            title_draw(t, art);
        });
    }
    if (wanted("main menu")) {
        begin_screen();
        MainMenu m = main_menu_open(0);
        MainMenuArt art = main_menu_art();
        art.keep_resting_tiles = !straight;
        for (int i = 0; i < 200; ++i) main_menu_update(m, none, nullptr, nullptr);
        measure("main menu", [&] {
            main_menu_update(m, none, nullptr, nullptr);
            clear();
            main_menu_draw(m, art);
        });
    }
    for (int moving = 0; moving <= 1; ++moving) {
        if (!wanted(moving ? "selection cross-fading" : "selection at rest")) continue;
        begin_screen();
        LevelSelect ls;
        LevelSelectArt art;
        LevelSelectSounds snd;
        level_select_load(ls, art, snd);
        for (int i = 0; i < 100; ++i) level_select_update(ls, art, none, nullptr, nullptr);
        // Cross-fading: the carousel swings between the first two levels and back, so that
        // both backgrounds show at every frame but the turning points.
        long frame = 0;
        measure(moving ? "selection cross-fading" : "selection at rest", [&] {
            level_select_update(ls, art, none, nullptr, nullptr);
            if (moving) ls.scroll = 0.5 + 0.45 * std::sin(static_cast<double>(frame++) / 20.0);
            level_select_fit(art, ls);
            clear();
            level_select_draw(ls, art);
        });
        for (BackgroundArt& b : art.backgrounds) select_background_settle(b);
    }
    if (wanted("score")) {
        begin_screen();
        ScoreScreen s;
        score_open(s, 87, 12, 600, 14);
        measure("score", [&] {
            score_update(none);
            clear();
            score_draw(s);
        });
    }
}
}  // namespace

bool frame_table_wanted(int argc, char** argv) {
    bool table_only = false;
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "--frame_table_only") table_only = true;
        if (a.rfind("--frames=", 0) == 0) measured_frames = std::max(1, std::atoi(a.c_str() + 9));
        if (a.rfind("--only=", 0) == 0) only = a.substr(7);
        if (a == "--straight") straight = true;
        if (a.rfind("--width=", 0) == 0) only_width = std::atoi(a.c_str() + 8);
    }
    return table_only;
}

void run_frame_table() {
    if (only_width == 0) {
        // Each size in a process of its own, as the game runs at one size: the memory the C
        // library keeps after one size's screens would count in the other's peaks.
        for (int width : {1000, 1920}) {
            std::fflush(stdout);
            pid_t child = fork();
            if (child == 0) {
                only_width = width;
                run_frame_table();
                std::fflush(stdout);
                _exit(0);
            }
            int status = 0;
            if (child > 0) waitpid(child, &status, 0);
        }
        return;
    }
    clock_use_virtual(true);
    const int sizes[2][2] = {{1000, 600}, {1920, 1080}};
    for (const auto& size : sizes) {
        if (only_width != 0 && size[0] != only_width) continue;
        std::printf("Frames at %d x %d:\n", size[0], size[1]);
        Display display(size[0], size[1]);
        use_stretched_copies(!straight);
        use_direct_drawing(!straight);
        menu_screens();
        session_screens();
    }
    std::printf(
        "\nFrame budget, software renderer: the CPU time of the drawing thread for update + clear "
        "+ "
        "draw + present, %d frames after %d (wall: the median on the wall clock).\nTargets: p99 "
        "<= 8 ms at 1000x600, <= 14 ms at 1920x1080 (a race, two level drawings: half as much "
        "again), peak memory <= 250 MB.\n",
        measured_frames, warm_up_frames);
    std::printf("%-24s %-9s %7s %7s %7s %7s %7s  %-16s %s\n", "screen", "size", "median", "p99",
                "worst", "wall", "peak MB", "frames hash", "");
    for (const Row& r : rows) {
        double target = (r.w <= 1000 ? 8 : 14) * (r.screen.rfind("race ", 0) == 0 ? 1.5 : 1);
        const char* verdict = r.p99 <= target && r.peak_mb <= 250 ? "ok" : "OVER";
        std::printf("%-24s %4dx%-4d %7.2f %7.2f %7.2f %7.2f %7.0f  %016llx %-4s %s\n",
                    r.screen.c_str(), r.w, r.h, r.median, r.p99, r.worst, r.wall_median, r.peak_mb,
                    static_cast<unsigned long long>(r.hash), verdict, r.note.c_str());
    }
}
