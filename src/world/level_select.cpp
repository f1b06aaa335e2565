// The level selection's listing, rules and loop.
#include "world/level_select.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/assets.h"
#include "app/audio.h"
#include "app/draw.h"
#include "app/file_checks.h"
#include "app/loading.h"
#include "app/paths.h"
#include "app/screen.h"
#include "world/carousel.h"

int selected_level = 0;

namespace {
constexpr double button_scale = 0.7;
constexpr int button_y = 70;
constexpr int fade_step = 15;
const SDL_Color name_colour{220, 220, 200, 255};

void swipe(int& selected, int by, const LevelSelectSounds* snd) {
    selected += by;
    if (snd) play_sound(snd->swipe.get(), true);
}

// What a key or a controller button does here.
enum class Press { nothing, left, right, choose, back, settings };

Press press_of(const SDL_Event& e, StickLatch& stick) {
    if (e.type == SDL_CONTROLLERAXISMOTION) {  // the left stick pushed sideways
        SDL_Keycode k = menu_key(e, stick);
        return k == SDLK_LEFT ? Press::left : (k == SDLK_RIGHT ? Press::right : Press::nothing);
    }
    if (is_press(e)) {
        switch (e.key.keysym.sym) {
            case SDLK_LEFT:
                return Press::left;
            case SDLK_RIGHT:
                return Press::right;
            case SDLK_SPACE:
            case SDLK_RETURN:
                return Press::choose;
            case SDLK_ESCAPE:
                return Press::settings;
            default:
                return Press::nothing;
        }
    }
    if (e.type != SDL_CONTROLLERBUTTONDOWN) return Press::nothing;
    switch (e.cbutton.button) {
        case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
            return Press::left;
        case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
            return Press::right;
        case SDL_CONTROLLER_BUTTON_A:
            return Press::choose;
        case SDL_CONTROLLER_BUTTON_B:
            return Press::back;
        case SDL_CONTROLLER_BUTTON_START:
            return Press::settings;
        default:
            return Press::nothing;
    }
}
}  // namespace

bool level_has_file(const std::string& folder, const std::string& file) {
    return regular_file(level_path(folder, file));
}

LevelList list_levels() {
    namespace fs = std::filesystem;
    LevelList list;
    std::vector<std::string>& names = list.names;
    std::error_code ec;
    std::printf("'.'\n'..'\n");
    for (fs::directory_iterator it(levels_dir(), ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::printf("'%s'\n", name.c_str());
        if (name == "Server") continue;
        if (name.size() > max_level_name) {
            std::printf("'%s' not listed: a level's folder name has at most %d characters.\n",
                        name.c_str(), static_cast<int>(max_level_name));
            continue;
        }
        if (level_has_file(name, "0.lvl") && level_has_file(name, "1.lvl") &&
            level_has_file(name, "config.ini"))
            names.push_back(name);
    }
    // The directory's own order is no order at all: levels are offered in name order, so a
    // level's folder name decides where it stands, and which ones the carousel has no room for.
    std::sort(names.begin(), names.end());
    if (names.size() > static_cast<size_t>(max_listed_levels)) {
        list.left_out = static_cast<int>(names.size()) - max_listed_levels;
        std::printf(
            "%d more level folders (from %s on in name order) are not listed: the "
            "selection holds %d.\n",
            list.left_out, names[max_listed_levels].c_str(), max_listed_levels);
        names.resize(max_listed_levels);
    }
    std::fflush(stdout);
    return list;
}

void draw_offset_centered(SDL_Texture* tex, int dx, int dy) {
    int w = 0, h = 0;
    if (!tex || SDL_QueryTexture(tex, nullptr, nullptr, &w, &h) != 0) return;
    draw_rect(tex, dx + (window_width - w) / 2, dy + (window_height - h) / 2, w, h);
}

bool hit_offset_centered(const SDL_Event& e, SDL_Texture* tex, int dx, int dy) {
    int w = 0, h = 0;
    if (e.type != SDL_MOUSEBUTTONDOWN || !tex) return false;
    if (SDL_QueryTexture(tex, nullptr, nullptr, &w, &h) != 0) return false;
    int x = dx + (window_width - w) / 2, y = dy + (window_height - h) / 2;
    return x < e.button.x && e.button.x < x + w && y < e.button.y && e.button.y < y + h;
}

int carousel_x(int i, double scroll) {
    return static_cast<int>((window_width / 3) * i - window_width * scroll / 3);
}

int level_select_update(LevelSelect& ls, const LevelSelectArt& art, const Controls& c,
                        const LevelSelectSounds* snd, int (*escape)()) {
    int count = static_cast<int>(ls.names.size());
    // Closing the window quits, also while a choice fades out.
    if (c.quit) {
        ls.choice = {SelectChoice::quit, ""};
        return 1;
    }
    for (const SDL_Event& e : c.events) {
        Press press = press_of(e, ls.stick);
        if (press == Press::right && selected_level < count - 1) {
            swipe(selected_level, 1, snd);
        } else if (press == Press::left && selected_level >= 1) {
            swipe(selected_level, -1, snd);
        } else if (press == Press::choose && selected_level < count) {
            // A highlight past the list (levels removed since) chooses nothing.
            ls.choice = {SelectChoice::play, ls.names[selected_level]};
        } else if (press == Press::back) {
            ls.choice = {SelectChoice::back, ""};
        } else if (press == Press::settings && escape && escape() != 0) {
            ls.choice = {SelectChoice::quit, ""};
            return 1;
        } else if (e.type == SDL_MOUSEWHEEL) {
            if (e.wheel.y < 0 && selected_level < count - 1) swipe(selected_level, 1, snd);
            if (e.wheel.y >= 1 && selected_level >= 1) swipe(selected_level, -1, snd);
        } else if (e.type == SDL_MOUSEMOTION) {
            ls.mouse_x = e.motion.x;
            ls.mouse_y = e.motion.y;
        } else if (e.type == SDL_MOUSEBUTTONDOWN) {
            for (int i = 0; i < count; ++i) {
                if (!carousel_hit(e, art.button.get(), carousel_x(i, ls.scroll), button_y,
                                  button_scale))
                    continue;
                if (ls.choice.kind == SelectChoice::none && snd) play_sound(snd->click.get(), true);
                ls.choice = {SelectChoice::play, ls.names[i]};
            }
            if (hit_offset_centered(e, art.back.get(), 100 - window_width / 2,
                                    40 - window_height / 2))
                ls.choice = {SelectChoice::back, ""};
        }
    }
    // An empty list, or a highlight left past its end, keeps to the last level there is.
    if (selected_level > count - 1) selected_level = std::max(count - 1, 0);
    ls.scroll += (selected_level - ls.scroll) / 10;
    ls.logo_drawn = ls.logo_scale;
    ls.frames += 1;
    ls.logo_scale += ((ls.frames % 41) - 20) / 3000.0;
    bool chosen = ls.choice.kind != SelectChoice::none;
    if (chosen || ls.fade >= 1) ls.fade += chosen ? fade_step : -fade_step;
    return chosen && ls.fade > 254 ? 1 : screen_running;
}

void level_select_load(LevelSelect& ls, LevelSelectArt& art, LevelSelectSounds& snd) {
    art.name_font = open_font("intensa.ttf", 250);
    art.version_font = open_font("calibri.ttf", 20);
    LevelList list = list_levels();
    ls.names = std::move(list.names);
    art.button = load_texture("ide/button.png");
    art.back = load_texture("ide/back.png");
    art.cursor = load_texture("ide/mouse.png");
    art.logo = load_texture("ide/mivo.png");
    art.version = make_text_texture(art.version_font.get(), " Mivo 0.9.6", {255, 255, 255, 255});
    if (list.left_out > 0)
        art.left_out =
            make_text_texture(art.version_font.get(),
                              std::to_string(list.left_out) +
                                  (list.left_out == 1 ? " more level is" : " more levels are") +
                                  " not listed: the selection holds the first " +
                                  std::to_string(max_listed_levels) + " in name order ",
                              {255, 255, 255, 255});
    std::vector<std::string> fonds;
    for (const std::string& name : ls.names) {
        LevelInfo info;
        read_level_info(info, name);
        const std::string& fond = info.fond;
        auto known = std::find(fonds.begin(), fonds.end(), fond);
        art.background_of.push_back(static_cast<std::size_t>(known - fonds.begin()));
        if (known == fonds.end()) {
            fonds.push_back(fond);
            select_background_load(art.backgrounds.emplace_back(), fond);
        }
        art.labels.push_back(make_text_texture(art.name_font.get(), name, name_colour));
    }
    level_select_fit(art, ls);
    for (BackgroundArt& b : art.backgrounds) select_background_settle(b);
    art.veil = make_black_texture();
    if (art.veil) SDL_SetTextureBlendMode(art.veil.get(), SDL_BLENDMODE_BLEND);
    play_music("vesk.ogg");
    snd.swipe = load_sound("swipe.wav");
    snd.click = load_sound("click.wav");
}

namespace {
// A background is kept fitted while a level showing it is the highlighted one or beside it, or
// shows on screen: the carousel never waits for one, and the others hold no pixels.
bool background_wanted(const LevelSelect& ls, const LevelSelectArt& art, std::size_t b) {
    for (std::size_t i = 0; i < art.background_of.size(); ++i) {
        if (art.background_of[i] != b) continue;
        int index = static_cast<int>(i);
        if (std::abs(index - selected_level) <= 1 || std::fabs(index - ls.scroll) < 1) return true;
    }
    return false;
}
}  // namespace

void level_select_fit(LevelSelectArt& art, const LevelSelect& ls) {
    for (std::size_t b = 0; b < art.backgrounds.size(); ++b)
        select_background_prepare(art.backgrounds[b], background_wanted(ls, art, b));
    // Two layered backgrounds cross-fade on the frame itself; the canvases (two window-sized
    // pictures) are kept only while a background near the highlight needs them, or once a
    // frame could not do without them.
    bool canvases_needed = art.canvases_missed;
    for (std::size_t b = 0; b < art.backgrounds.size(); ++b)
        if (background_wanted(ls, art, b) && !select_background_composed(art.backgrounds[b]))
            canvases_needed = true;
    if (!canvases_needed) {
        for (TexturePtr& canvas : art.canvases) canvas.reset();
        art.canvas_width = art.canvas_height = 0;
        return;
    }
    if (art.canvas_width == window_width && art.canvas_height == window_height) return;
    art.canvas_width = window_width;
    art.canvas_height = window_height;
    for (TexturePtr& canvas : art.canvases) {
        canvas.reset();
        canvas = select_background_canvas();
    }
}

SelectChoice level_select(int (*escape)()) {
    LevelSelect ls;
    LevelSelectArt art;
    LevelSelectSounds snd;
    loading_begin(1000, "Loading");  // every level's background loads behind it
    level_select_load(ls, art, snd);
    loading_end();
    // Keys and clicks from before the screen opened (impatient presses during "Bravo !") would
    // choose a level at once: they are dropped. A close of the window is kept.
    SDL_PumpEvents();
    SDL_FlushEvents(SDL_KEYDOWN, SDL_MOUSEWHEEL);
    SDL_FlushEvents(SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONUP);

    run_screen(
        [&](const Controls& c) {
            level_select_fit(art, ls);  // the highlight moved, or the display mode changed
            return level_select_update(ls, art, c, &snd, escape);
        },
        [&] { level_select_draw(ls, art); });

    // Black, with the chosen level's name, while the level loads.
    SDL_RenderClear(game_renderer);
    set_alpha(art.veil.get(), 0, 255, 255, 0);
    draw_fullscreen(art.veil.get());
    if (ls.choice.kind == SelectChoice::play) {
        TexturePtr name = make_text_texture(art.name_font.get(), ls.choice.level, name_colour);
        draw_scaled_centered(name.get(), 50, 40, 0.3);
    }
    present_frame();
    for (BackgroundArt& b : art.backgrounds) select_background_release(b);
    return ls.choice;
}
