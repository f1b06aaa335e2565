// The main menu's rules, drawing and loop, and the credits wait.
#include "menus/main_menu.h"

#include <string>

#include "app/assets.h"
#include "app/audio.h"
#include "app/draw.h"
#include "app/screen.h"
#include "menus/settings_menu.h"
#include "menus/widgets.h"

namespace {
constexpr SDL_Color caption_colour{214, 238, 243, 255};
constexpr Uint8 background_dim = 200;
constexpr double zoom_done =
    0.01;  // a chosen picture this close to filling the window ends the menu
// How each tile answers the pointer: whether it does at all (clicks test the live tiles in
// their order), and what full hover grows it by: a twentieth for a large tile, a tenth for a
// small one.
struct TileBehaviour {
    bool live;
    int growth_divisor;
};
constexpr std::array<TileBehaviour, menu_tiles> tile_behaviour{{
    {true, 20},   // Story
    {true, 20},   // Creations
    {true, 20},   // Multiplayer
    {true, 10},   // Settings
    {true, 10},   // Credits
    {true, 10},   // Close
}};

bool is_large(int k) { return k <= tile_multiplayer; }

bool any_chosen(const MainMenu& m) {
    for (bool c : m.chosen)
        if (c) return true;
    return false;
}

bool any_returning(const MainMenu& m) {
    for (bool r : m.returning)
        if (r) return true;
    return false;
}

bool pointer_on(const MainMenu& m, int k) {
    MenuTile p = main_menu_tile(k, window_width, window_height);
    return menu_tile_hit(m.pointer, p.dx, p.dy, p.w, p.h, tile_growth(m, k));
}

void play(const ChunkPtr& chunk) { play_sound(chunk.get(), true); }

double zoom_sum(const MainMenu& m) {
    double sum = 0;
    for (double z : m.zoom) sum += z;
    return sum;
}

void draw_tile(const MainMenu& m, const MainMenuArt& art, int k, int caption_fade) {
    int i = k - 1;
    MenuTile p = main_menu_tile(k, window_width, window_height);
    SDL_Texture* picture = art.pictures[i].get();
    SDL_Texture* caption = art.captions[i].get();
    // A picture fades out as soon as another tile zooms.
    int picture_fade = static_cast<int>((5 - (zoom_sum(m) - m.zoom[i])) * 1024);
    if (picture) set_alpha(picture, 0, 255, 255, picture_fade);
    if (caption) set_alpha(caption, 0, 255, 255, caption_fade);
    if (art.outline) set_alpha(art.outline.get(), 0, 255, 255, caption_fade);
    draw_menu_tile(picture, caption, art.outline.get(), p.dx, p.dy, p.w, p.h, tile_growth(m, k),
                   m.zoom[i]);
}
}  // namespace

MenuTile main_menu_tile(int k, int window_w, int window_h) {
    double w = window_w, h = window_h;
    int small_w = static_cast<int>(w / 6.5), small_h = window_h / 7;
    switch (k) {
        case tile_story:
            return {static_cast<int>(-w / 5.6), static_cast<int>(-h / 5.5), window_w / 3,
                    window_h / 3};
        case tile_creations:
            return {static_cast<int>(w / 5.6), static_cast<int>(-h / 5.5), window_w / 3,
                    window_h / 3};
        case tile_multiplayer:
            return {static_cast<int>(-w / 5.6), static_cast<int>(h / 5.5), window_w / 3,
                    window_h / 3};
        case tile_settings:
            return {static_cast<int>(w / 11.2), window_h / 11, small_w, small_h};
        case tile_credits:
            return {static_cast<int>(w / 3.75), window_h / 11, small_w, small_h};
        case tile_close:
            return {static_cast<int>(w / 11.2), static_cast<int>(h / 3.7), small_w, small_h};
        default:
            return {};
    }
}

bool tile_live(int k) { return k >= 1 && k <= menu_tiles && tile_behaviour[k - 1].live; }

double tile_growth(const MainMenu& m, int k) {
    if (!tile_live(k)) return 1;
    return 1 + m.hover[k - 1] / tile_behaviour[k - 1].growth_divisor;
}

MainMenu main_menu_open(int previous) {
    MainMenu m;
    m.zoom.fill(1);
    if (previous >= 1 && previous <= menu_tiles) {
        m.zoom[previous - 1] = 0;
        m.returning[previous - 1] = true;
    }
    return m;
}

MainMenuArt main_menu_art() {
    MainMenuArt a;
    FontPtr large = open_font("intensa.ttf", 50), small = open_font("intensa.ttf", 24);
    const std::array<const char*, menu_tiles> names{"Story",    "Creations", "Multiplayer",
                                                    "Settings", "Credits",   "Close"};
    for (int k = 1; k <= menu_tiles; ++k) {
        a.pictures[k - 1] = load_texture("ide/" + std::to_string(k) + ".png");
        if (a.pictures[k - 1])
            SDL_SetTextureBlendMode(a.pictures[k - 1].get(), SDL_BLENDMODE_BLEND);
        a.captions[k - 1] =
            make_label(is_large(k) ? large.get() : small.get(), names[k - 1], caption_colour);
    }
    a.outline = load_texture("ide/ctr.png");
    a.background = load_texture_dimmed("ide/bgg.png", background_dim);
    a.veil = load_texture("ide/bgg.png");
    if (a.veil) SDL_SetTextureBlendMode(a.veil.get(), SDL_BLENDMODE_BLEND);
    a.clouds = {load_texture("ide/cloud.png"), load_texture("ide/cloud2.png"),
                load_texture("ide/cloud3.png")};
    if (a.clouds[0]) SDL_SetTextureBlendMode(a.clouds[0].get(), SDL_BLENDMODE_BLEND);
    return a;
}

MainMenuSounds main_menu_sounds() { return {load_sound("swipe.wav"), load_sound("click.wav")}; }

int main_menu_result(const MainMenu& m) {
    if (m.leave == leave_quit) return menu_code_quit;  // even while a chosen tile was zooming
    for (int k = 1; k <= menu_tiles; ++k)
        if (m.chosen[k - 1]) return k;
    return m.leave == leave_title ? menu_code_title : menu_code_quit;
}

int main_menu_update(MainMenu& m, const Controls& c, const MainMenuSounds* sounds,
                     const std::function<int()>& escape) {
    bool zoomed_in = false;
    for (int i = 0; i < menu_tiles; ++i)
        if (m.chosen[i] && m.zoom[i] <= zoom_done) zoomed_in = true;
    if (m.leave != leave_stay || zoomed_in) {
        m.done = true;
        return main_menu_done;
    }
    if (c.quit) m.leave = leave_quit;
    for (const SDL_Event& e : c.events) {
        if (is_press(e) && e.key.keysym.sym == SDLK_ESCAPE) {
            if (escape && escape() != 0) m.leave = leave_quit;
        } else if (is_press(e) && e.key.keysym.sym == SDLK_BACKSPACE) {
            m.leave = leave_title;
        } else if (e.type == SDL_MOUSEMOTION) {
            m.pointer = {e.motion.x, e.motion.y};
        } else if (e.type == SDL_MOUSEBUTTONDOWN) {
            for (int k = 1; k <= menu_tiles; ++k) {
                if (tile_live(k) && pointer_on(m, k)) {
                    m.chosen[k - 1] = true;
                    break;
                }
            }
        }
    }
    if (!any_chosen(m))
        for (int k = 1; k <= menu_tiles; ++k)
            if (tile_live(k)) m.hover[k - 1] += ((pointer_on(m, k) ? 1 : 0) - m.hover[k - 1]) / 4;
    for (int i = 0; i < menu_tiles; ++i) {
        if (m.returning[i] && !m.chosen[i]) {
            m.zoom[i] += (1 - m.zoom[i]) / 5;
            break;
        }
    }
    for (int i = 0; i < menu_tiles; ++i) {
        if (m.chosen[i]) {
            m.zoom[i] -= m.zoom[i] / 5;
            break;
        }
    }
    for (int i = 0; i < menu_tiles; ++i) {
        if (m.chosen[i] != m.chosen_seen[i]) {
            m.chosen_seen[i] = m.chosen[i];
            if (sounds) play(sounds->click);
        }
    }
    cloud_tunnel_step(cloud_tunnel);
    for (int i = 0; i < menu_tiles; ++i) {
        if (m.hover[i] > 0.5 && !m.swipe_armed[i]) {
            m.swipe_armed[i] = true;
            if (sounds) play(sounds->swipe);
        } else if (m.hover[i] < 0.5 && m.swipe_armed[i]) {
            m.swipe_armed[i] = false;
        }
    }
    if (!any_returning(m)) m.overlay -= m.overlay / 10;
    return screen_running;
}

void main_menu_draw(const MainMenu& m, const MainMenuArt& art) {
    if (m.done && any_chosen(m)) {
        for (int i = 0; i < menu_tiles; ++i) {
            SDL_Texture* picture = art.pictures[i].get();
            if (!m.chosen[i] || !picture) continue;
            SDL_SetTextureColorMod(picture, 255, 255, 255);
            SDL_SetTextureAlphaMod(picture, 255);
            draw_fullscreen(picture);
        }
        return;
    }
    if (art.background) draw_fullscreen(art.background.get());
    cloud_tunnel_draw(cloud_tunnel,
                      {art.clouds[0].get(), art.clouds[1].get(), art.clouds[2].get()});
    int caption_fade = static_cast<int>((6 - zoom_sum(m)) * 1024);
    for (int k = 1; k <= menu_tiles; ++k) draw_tile(m, art, k, caption_fade);
    if (!any_returning(m) && art.veil) {
        set_alpha(art.veil.get(), 0, 255, 255, static_cast<int>(255 - m.overlay));
        draw_fullscreen(art.veil.get());
    }
}

int main_menu(int previous) {
    MainMenuArt art = main_menu_art();
    MainMenuSounds sounds = main_menu_sounds();
    MainMenu m = main_menu_open(previous);
    play_music("vesk.ogg");
    drop_pending_events();
    auto escape = [&] { return settings_menu(false, [&] { main_menu_draw(m, art); }); };
    run_screen([&](const Controls& in) { return main_menu_update(m, in, &sounds, escape); },
               [&] { main_menu_draw(m, art); });
    return main_menu_result(m);
}

bool credits_wait() {
    constexpr int back = 1, quit = 2;
    TexturePtr picture = load_texture("ide/5.png");
    return run_screen(
               [&](const Controls& in) {
                   for (const SDL_Event& e : in.events)
                       if (is_press(e) || e.type == SDL_MOUSEBUTTONDOWN) return back;
                   return in.quit ? quit : screen_running;
               },
               [&] {
                   if (picture) draw_fullscreen(picture.get());
               }) == back;
}
