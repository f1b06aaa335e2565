// Speed of the level files, the session's update and the drawing of a level frame, and the
// memory a level holds. Run from the repository root: `make bench`.
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>

#include "app/clock.h"
#include "app/draw.h"
#include "app/shell.h"
#include "editor/editor.h"
#include "session/level_files.h"
#include "session/session.h"
#include "session/theme_tiles.h"
#include "world/level_draw.h"

namespace {
// The level folder under levels/ with the most cells.
std::string largest_level() {
    namespace fs = std::filesystem;
    std::string best;
    long best_cells = 0;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator("levels", ec)) {
        std::string name = e.path().filename().string();
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

struct Display {
    Display(int w, int h) {
        clock_use_virtual(true);
        init_libraries();
        create_display();
        SDL_SetWindowSize(game_window, w, h);
        refresh_window_size();
    }
    ~Display() {
        destroy_display();
        quit_libraries();
    }
};

// A session in the largest level, after its first frame, with the player in mid-level.
struct PlayedLevel {
    Session s;
    explicit PlayedLevel() {
        session_start(s, largest_level());
        Controls none;
        session_update(s, none);
        s.player.x = grid_width / 2.0;
        s.player.y = grid_height / 2.0;
        for (int i = 0; i < 120; ++i) session_update(s, none);  // let the camera settle
    }
    ~PlayedLevel() { session_end(s); }
};

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

void draw_frame(benchmark::State& state, int w, int h) {
    Display display(w, h);
    PlayedLevel lvl;
    for (auto _ : state) {
        session_draw(lvl.s);
        SDL_RenderFlush(game_renderer);
    }
    struct rusage ru {};
    getrusage(RUSAGE_SELF, &ru);
    state.counters["peak_rss_MB"] = ru.ru_maxrss / 1024.0;
}
void BM_DrawLevelFrame_1000x600(benchmark::State& state) { draw_frame(state, 1000, 600); }
void BM_DrawLevelFrame_1920x1080(benchmark::State& state) { draw_frame(state, 1920, 1080); }
BENCHMARK(BM_DrawLevelFrame_1000x600)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawLevelFrame_1920x1080)->Unit(benchmark::kMillisecond);

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
}  // namespace
