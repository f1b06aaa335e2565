// Speed of the level files, the session's update and the drawing of a level frame, and the
// memory a level holds. Run from the repository root: `make bench`.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "app/clock.h"
#include "app/draw.h"
#include "app/kv_reader.h"
#include "app/shell.h"
#include "editor/editor.h"
#include "menus/creations.h"
#include "menus/main_menu.h"
#include "menus/settings_menu.h"
#include "menus/title.h"
#include "session/level_files.h"
#include "session/session.h"
#include "session/theme_tiles.h"
#include "world/background.h"
#include "world/enemies.h"
#include "world/level_draw.h"
#include "world/level_select.h"
#include "world/rails.h"

#include "bench_display.h"

namespace {
enum class Kind { any, layered, panorama };

// The level folder under levels/ with the most cells, of those whose background is of the kind.
std::string largest_level(Kind kind = Kind::any) {
    namespace fs = std::filesystem;
    std::string best;
    long best_cells = 0;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("levels", ec)) {
        std::string name = e.path().filename().string();
        bool layered = read_value("fond", "levels/" + name + "/config.ini").size() == 1;
        if ((kind == Kind::layered && !layered) || (kind == Kind::panorama && layered)) continue;
        if (!read_grid_file("0.lvl", name, true)) continue;
        long cells = static_cast<long>(grid_width) * grid_height;
        if (cells > best_cells) {
            best_cells = cells;
            best = name;
        }
    }
    return best;
}

// A full 999 × 100 layer of distinct neighbours: the writer's worst case.
Grid full_layer() {
    grid_width = max_grid_width;
    grid_height = max_grid_height;
    Grid g(static_cast<size_t>(grid_width) * grid_height);
    for (size_t i = 0; i < g.size(); ++i) g[i] = static_cast<char>('a' + (i * 7 + i / 999) % 19);
    return g;
}

using Display = BenchDisplay;

// A session in the largest level (of a kind of background), after its first frame, with the
// player in mid-level.
struct PlayedLevel {
    Session s;
    explicit PlayedLevel(Kind kind = Kind::any) {
        session_start(s, largest_level(kind));
        Controls none;
        session_update(s, none);
        s.player.x = grid_width / 2.0;
        s.player.y = grid_height / 2.0;
        for (int i = 0; i < 120; ++i) session_update(s, none);  // let the camera settle
    }
    ~PlayedLevel() { session_end(s); }
};

// The crowd the rules allow at most: 50 enemies in and around the view (walkers and flyers,
// alternately) and 50 platforms on a rail track across it, as a level full of them would have.
void crowd(Session& s) {
    World& w = s.world;
    enemies_clear(s.enemies);
    for (std::size_t i = 0; i < max_enemies; ++i) {
        Enemy e;
        e.type = static_cast<int>(i % enemy_types.size());
        e.cell_x = static_cast<int>(w.camera_x) + static_cast<int>(i % 25) * 2;
        e.cell_y = static_cast<int>(w.camera_y) + 3 + static_cast<int>(i / 25) * 8;
        e.x = e.cell_x;
        e.y = e.cell_y;
        s.enemies.list.push_back(e);
    }
    int row = std::clamp(static_cast<int>(w.camera_y) + 12, 0, grid_height - 1);
    Grid decor = w.decor_grid;
    Grid play = w.play_grid;
    for (int col = 0; col < grid_width; ++col) grid_set(row, col, decor, cell::rail);
    int first = std::max(0, static_cast<int>(w.camera_x) - 5);
    for (int k = 0; k < max_rail_platforms; ++k) grid_set(row, first + k, play, 'a');
    rail_build(w.rails, play, decor);
    w.decor_grid = decor;
}

void BM_WriteFullLayer(benchmark::State& state) {
    Grid g = full_layer();
    for (auto _ : state) benchmark::DoNotOptimize(grid_to_text(g));
}
BENCHMARK(BM_WriteFullLayer)->Unit(benchmark::kMillisecond);

void BM_ReadFullLayer(benchmark::State& state) {
    std::string text = grid_to_text(full_layer());
    for (auto _ : state) benchmark::DoNotOptimize(parse_grid_text(text, true));
}
BENCHMARK(BM_ReadFullLayer)->Unit(benchmark::kMillisecond);

void BM_WriteFullLayerFile(benchmark::State& state) {
    namespace fs = std::filesystem;
    fs::create_directories("build/bench-level");
    Grid g = full_layer();
    for (auto _ : state) write_grid_file(g, "0.lvl", "../build/bench-level");
    fs::remove_all("build/bench-level");
}
BENCHMARK(BM_WriteFullLayerFile)->Unit(benchmark::kMillisecond);

void BM_LoadLargestLevel(benchmark::State& state) {
    std::string name = largest_level();
    World w;
    for (auto _ : state) benchmark::DoNotOptimize(load_level(w, name));
    state.SetLabel(name + " " + std::to_string(grid_width) + "x" + std::to_string(grid_height));
}
BENCHMARK(BM_LoadLargestLevel)->Unit(benchmark::kMillisecond);

void BM_SessionUpdate(benchmark::State& state) {
    Display display(1000, 600);
    PlayedLevel lvl;
    Controls walking;
    walking.held[SDL_SCANCODE_RIGHT] = 1;
    for (auto _ : state) {
        session_update(lvl.s, walking);
        if (lvl.s.player.x > grid_width - 5) lvl.s.player.x = 5;
    }
}
BENCHMARK(BM_SessionUpdate)->Unit(benchmark::kMicrosecond);

// A whole session frame, drawn with the software renderer: background and clouds, the level,
// 50 enemies, 50 platforms, the player, the heads-up display and the veils.
void draw_frame(benchmark::State& state, int w, int h, Kind kind) {
    Display display(w, h);
    PlayedLevel lvl(kind);
    crowd(lvl.s);
    for (auto _ : state) {
        session_draw(lvl.s);
        SDL_RenderFlush(game_renderer);
    }
    struct rusage ru {};
    getrusage(RUSAGE_SELF, &ru);
    state.counters["peak_rss_MB"] = ru.ru_maxrss / 1024.0;
    state.counters["background_MB"] =
        background_texture_bytes(lvl.s.media.background) / (1024.0 * 1024.0);
    state.SetLabel(lvl.s.info.name + " (" + lvl.s.info.fond + ")");
}
void BM_DrawLevelFrame_Layered_1000x600(benchmark::State& state) {
    draw_frame(state, 1000, 600, Kind::layered);
}
void BM_DrawLevelFrame_Layered_1920x1080(benchmark::State& state) {
    draw_frame(state, 1920, 1080, Kind::layered);
}
void BM_DrawLevelFrame_Panorama_1000x600(benchmark::State& state) {
    draw_frame(state, 1000, 600, Kind::panorama);
}
void BM_DrawLevelFrame_Panorama_1920x1080(benchmark::State& state) {
    draw_frame(state, 1920, 1080, Kind::panorama);
}
BENCHMARK(BM_DrawLevelFrame_Layered_1000x600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawLevelFrame_Layered_1920x1080)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawLevelFrame_Panorama_1000x600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawLevelFrame_Panorama_1920x1080)->Unit(benchmark::kMillisecond);

// The moving parts of one frame with the most the rules allow: 50 enemies walking and flying
// and touching the player, 50 platforms moving and carrying.
void BM_UpdateCrowd(benchmark::State& state) {
    Display display(1000, 600);
    PlayedLevel lvl;
    crowd(lvl.s);
    Session& s = lvl.s;
    s.player.x = s.world.rails.list.front().x;  // standing on the first platform
    s.player.y = s.world.rails.list.front().y + 1;
    for (auto _ : state) {
        enemies_move(s.enemies, s.world.play_grid, frame_dt);
        enemies_contact(s.enemies, s.player, nullptr);
        rail_move(s.world.rails, s.world.decor_grid, frame_dt);
        int carried = 0;
        rail_collide(s.world.rails, s.player, carried);
        benchmark::DoNotOptimize(carried);
    }
    state.counters["enemies"] = static_cast<double>(s.enemies.list.size());
    state.counters["platforms"] = static_cast<double>(s.world.rails.list.size());
}
BENCHMARK(BM_UpdateCrowd)->Unit(benchmark::kMicrosecond);

// The worst case: every cell of both layers holds a block (the back one darkened).
void BM_DrawFullViewOfBlocks_1000x600(benchmark::State& state) {
    Display display(1000, 600);
    World w;
    ThemeTiles tiles;
    load_theme_tiles(w, tiles, "base");
    grid_width = 100;
    grid_height = 50;
    w.play_grid.assign(static_cast<size_t>(grid_width) * grid_height, 'a');
    w.decor_grid.assign(w.play_grid.size(), 'j');
    w.camera_x = 30.5;
    w.camera_y = 10.5;
    for (auto _ : state) {
        draw_level(w, tiles, false);
        SDL_RenderFlush(game_renderer);
    }
    release_tiles(tiles);
}
BENCHMARK(BM_DrawFullViewOfBlocks_1000x600)->Unit(benchmark::kMillisecond);

void BM_EditorDraw(benchmark::State& state) {
    Display display(1000, 600);
    PlayedLevel lvl;
    lvl.s.editor.active = true;
    lvl.s.editor.brush0 = 'c';
    lvl.s.editor.brush1 = ' ';
    for (auto _ : state) {
        editor_draw(lvl.s.editor, lvl.s.media.editor_art, lvl.s.media.tiles, lvl.s.world);
        SDL_RenderFlush(game_renderer);
    }
}
BENCHMARK(BM_EditorDraw)->Unit(benchmark::kMicrosecond);

// The level selection over our levels: at rest on a level (one background) and half-way between
// two (both cross-fading).
void draw_selection(benchmark::State& state, int w, int h) {
    Display display(w, h);
    LevelSelect ls;
    LevelSelectArt art;
    LevelSelectSounds snd;
    level_select_load(ls, art, snd);
    ls.fade = 0;
    long bytes = 0;
    for (const BackgroundArt& b : art.backgrounds) bytes += background_texture_bytes(b);
    for (auto _ : state) {
        ls.scroll = state.range(0) / 2.0;
        level_select_draw(ls, art);
        SDL_RenderFlush(game_renderer);
    }
    state.counters["backgrounds_MB"] = bytes / (1024.0 * 1024.0);
    state.counters["levels"] = static_cast<double>(ls.names.size());
}
void BM_DrawLevelSelect_1000x600(benchmark::State& state) { draw_selection(state, 1000, 600); }
void BM_DrawLevelSelect_1920x1080(benchmark::State& state) { draw_selection(state, 1920, 1080); }
// Argument: the carousel position in halves of a level (0: at rest on the first, 1: between
// the first two).
BENCHMARK(BM_DrawLevelSelect_1000x600)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawLevelSelect_1920x1080)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
}  // namespace

// The title and the main menu, a few seconds into their animations.
void BM_DrawTitle(benchmark::State& state) {
    Display display(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Title t;
    TitleArt art = title_art();
    Controls none;
    for (int i = 0; i < 200; ++i) title_update(t, none, nullptr);
    for (auto _ : state) {
        title_draw(t, art);
        SDL_RenderFlush(game_renderer);
    }
}
BENCHMARK(BM_DrawTitle)->Args({1000, 600})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

void BM_DrawMainMenu(benchmark::State& state) {
    Display display(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    MainMenu m = main_menu_open(0);
    MainMenuArt art = main_menu_art();
    Controls none;
    for (int i = 0; i < 200; ++i) main_menu_update(m, none, nullptr, nullptr);
    for (auto _ : state) {
        main_menu_draw(m, art);
        SDL_RenderFlush(game_renderer);
    }
}
BENCHMARK(BM_DrawMainMenu)->Args({1000, 600})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The pause menu over a level, once its darkening has settled.
void BM_DrawPauseMenu(benchmark::State& state) {
    Display display(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    PlayedLevel lvl;
    SettingsMenu m = settings_menu_open(true);
    SettingsMenuArt art = settings_menu_art(true);
    art.backdrop = settings_menu_backdrop([&] { session_draw(lvl.s); });
    Controls none;
    for (int i = 0; i < 100; ++i) settings_menu_update(m, none, nullptr);
    for (auto _ : state) {
        settings_menu_draw(m, art);
        SDL_RenderFlush(game_renderer);
    }
}
BENCHMARK(BM_DrawPauseMenu)->Args({1000, 600})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The Creations screen over our levels, once its list has settled; Arg 1 with the new-level form
// open over it.
void BM_DrawCreations(benchmark::State& state) {
    Display display(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    Creations c = creations_open("", true);
    CreationsArt art = creations_art();
    Controls none;
    if (state.range(2)) c.view = CreationsView::new_level;
    for (int i = 0; i < 60; ++i) {
        creations_update(c, none);
        creations_prepare(art, c);
    }
    for (auto _ : state) {
        creations_draw(c, art);
        SDL_RenderFlush(game_renderer);
    }
}
BENCHMARK(BM_DrawCreations)
    ->Args({1000, 600, 0})
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Unit(benchmark::kMillisecond);
