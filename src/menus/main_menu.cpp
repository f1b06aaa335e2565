// The main menu's rules, drawing and loop, and the credits wait.
#include "menus/main_menu.h"

#include <cstdlib>
#include <string>
#include <vector>

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

// The tile a move from `from` by (dx, dy) leads to: among the live tiles whose centre lies
// ahead, the one with the least distance ahead plus twice the distance aside; `from` itself when
// none lies ahead.
int tile_toward(int from, int dx, int dy) {
    MenuTile a = main_menu_tile(from, window_width, window_height);
    int best = from;
    long best_score = 0;
    for (int k = 1; k <= menu_tiles; ++k) {
        if (k == from || !tile_live(k)) continue;
        MenuTile b = main_menu_tile(k, window_width, window_height);
        long ahead = static_cast<long>(b.dx - a.dx) * dx + static_cast<long>(b.dy - a.dy) * dy;
        long aside =
            std::labs(static_cast<long>(b.dx - a.dx) * dy - static_cast<long>(b.dy - a.dy) * dx);
        if (ahead <= 0) continue;
        long score = ahead + 2 * aside;
        if (best == from || score < best_score) {
            best = k;
            best_score = score;
        }
    }
    return best;
}

// Where the highlight appears: on the tile under the pointer, else on the tile the player came
// back from, else on "Story".
int first_focus(const MainMenu& m) {
    for (int k = 1; k <= menu_tiles; ++k)
        if (tile_live(k) && pointer_on(m, k)) return k;
    for (int k = 1; k <= menu_tiles; ++k)
        if (m.returning[k - 1] && tile_live(k)) return k;
    return tile_story;
}

// An arrow moves the highlight, a choosing key chooses the highlighted tile as a click would;
// with nothing highlighted yet, either only shows the highlight.
void answer_key(MainMenu& m, SDL_Keycode k) {
    int dx = 0, dy = 0;
    bool choose = false;
    switch (k) {
        case SDLK_LEFT:
            dx = -1;
            break;
        case SDLK_RIGHT:
            dx = 1;
            break;
        case SDLK_UP:
            dy = -1;
            break;
        case SDLK_DOWN:
            dy = 1;
            break;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
        case SDLK_SPACE:
            choose = true;
            break;
        default:
            return;
    }
    if (m.focus == 0) {
        m.focus = first_focus(m);
    } else if (choose) {
        if (tile_live(m.focus) && !any_chosen(m)) m.chosen[m.focus - 1] = true;
    } else {
        m.focus = tile_toward(m.focus, dx, dy);
    }
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
        SDL_Keycode key = menu_key(e, m.stick);
        if (key == SDLK_ESCAPE && menu_fresh(e)) {
            if (escape && escape() != 0) m.leave = leave_quit;
        } else if (key == SDLK_BACKSPACE && menu_fresh(e)) {
            m.leave = leave_title;
        } else if (key != SDLK_UNKNOWN) {
            // A held arrow keeps moving the highlight; a held Return chooses nothing more than
            // its first press did (that press may only have shown the highlight).
            bool arrow = key == SDLK_LEFT || key == SDLK_RIGHT || key == SDLK_UP || key == SDLK_DOWN;
            if (arrow || menu_fresh(e)) answer_key(m, key);
        } else if (e.type == SDL_MOUSEMOTION) {
            m.pointer = {e.motion.x, e.motion.y};
            m.focus = 0;
        } else if (e.type == SDL_MOUSEBUTTONDOWN && !any_chosen(m)) {
            // Once a tile is chosen, it stays the one that zooms: later keys and clicks
            // cannot choose another (the first in the table would win).
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
            if (tile_live(k)) {
                bool inside = m.focus > 0 ? m.focus == k : pointer_on(m, k);
                m.hover[k - 1] += ((inside ? 1 : 0) - m.hover[k - 1]) / 4;
            }
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

namespace {
bool same_rect(const SDL_Rect& a, const SDL_Rect& b) {
    return a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
}

bool same_look(const RestingTileLook& a, const RestingTileLook& b) {
    return same_rect(a.picture, b.picture) && same_rect(a.outline, b.outline) &&
           same_rect(a.caption, b.caption) && a.brightness == b.brightness &&
           a.picture_alpha == b.picture_alpha && a.caption_alpha == b.caption_alpha &&
           a.veil_alpha == b.veil_alpha && a.window_w == b.window_w && a.window_h == b.window_h;
}

bool overlap(const SDL_Rect& a, const SDL_Rect& b) {
    return a.w > 0 && a.h > 0 && b.w > 0 && b.h > 0 && a.x < b.x + b.w && b.x < a.x + a.w &&
           a.y < b.y + b.h && b.y < a.y + a.h;
}

// The veil's alpha this frame, 0 when it is not drawn.
int veil_alpha(const MainMenu& m, const MainMenuArt& art) {
    if (any_returning(m) || !art.veil) return 0;
    return alpha_value(0, 255, 255, static_cast<int>(255 - m.overlay));
}

RestingTileLook resting_look(const MainMenu& m, const MainMenuArt& art, int k, int caption_fade,
                             int veil) {
    int i = k - 1;
    MenuTile p = main_menu_tile(k, window_width, window_height);
    double s = tile_growth(m, k), z = m.zoom[i];
    RestingTileLook l;
    l.picture = menu_tile_rect(p.dx, p.dy, p.w, p.h, s, z);
    l.outline = menu_tile_outline_rect(p.dx, p.dy, p.w, p.h, s, z);
    l.caption = art.captions[i]
                    ? menu_tile_caption_rect(art.captions[i].get(), p.dx, p.dy, p.w, p.h, s)
                    : SDL_Rect{};
    l.brightness = menu_tile_brightness(s, z);
    l.picture_alpha =
        alpha_value(0, 255, 255, static_cast<int>((5 - (zoom_sum(m) - m.zoom[i])) * 1024));
    l.caption_alpha = alpha_value(0, 255, 255, caption_fade);
    l.veil_alpha = veil;
    l.window_w = window_width;
    l.window_h = window_height;
    return l;
}

// Whether tile k's picture rectangle may be pasted from an earlier frame: no tile chosen, the
// picture opaque and inside the window, and no other tile's picture, outline or caption over it.
// (A tile zooming changes its look every frame, and is drawn whole until it rests.)
bool may_rest(const MainMenu& m, const MainMenuArt& art, int k,
              const std::array<RestingTileLook, menu_tiles>& looks) {
    int i = k - 1;
    if (!art.keep_resting_tiles || any_chosen(m)) return false;
    SDL_Texture* picture = art.pictures[i].get();
    Uint32 format = 0;
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    if (!picture || SDL_QueryTexture(picture, &format, nullptr, nullptr, nullptr) != 0 ||
        SDL_ISPIXELFORMAT_ALPHA(format) || SDL_GetTextureBlendMode(picture, &mode) != 0 ||
        (mode != SDL_BLENDMODE_NONE && mode != SDL_BLENDMODE_BLEND))
        return false;
    const RestingTileLook& l = looks[i];
    if (l.picture_alpha != 255) return false;
    SDL_Rect window{0, 0, window_width, window_height};
    SDL_Rect inside;
    if (!SDL_IntersectRect(&l.picture, &window, &inside) || !same_rect(inside, l.picture))
        return false;
    for (int j = 0; j < menu_tiles; ++j) {
        if (j == i) continue;
        if (overlap(l.picture, looks[j].outline) || overlap(l.picture, looks[j].caption) ||
            overlap(l.picture, looks[j].picture))
            return false;
    }
    return true;
}

// The outline's ring around the picture, in four bands.
std::array<SDL_Rect, 4> ring(const SDL_Rect& outer, const SDL_Rect& inner) {
    return {{{outer.x, outer.y, outer.w, inner.y - outer.y},
             {outer.x, inner.y + inner.h, outer.w, outer.y + outer.h - (inner.y + inner.h)},
             {outer.x, inner.y, inner.x - outer.x, inner.h},
             {inner.x + inner.w, inner.y, outer.x + outer.w - (inner.x + inner.w), inner.h}}};
}

// The finished rectangle of the frame on the renderer, as a texture to paste.
TexturePtr keep_rect(const SDL_Rect& r) {
    std::vector<Uint32> pixels(static_cast<size_t>(r.w) * r.h);
    if (SDL_RenderReadPixels(game_renderer, &r, SDL_PIXELFORMAT_RGB888, pixels.data(), r.w * 4) !=
        0)
        return nullptr;
    TexturePtr tex(SDL_CreateTexture(game_renderer, SDL_PIXELFORMAT_RGB888,
                                     SDL_TEXTUREACCESS_STATIC, r.w, r.h));
    if (!tex || SDL_UpdateTexture(tex.get(), nullptr, pixels.data(), r.w * 4) != 0) return nullptr;
    SDL_SetTextureBlendMode(tex.get(), SDL_BLENDMODE_NONE);
    return tex;
}
}  // namespace

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
    int veil = veil_alpha(m, art);
    std::array<RestingTileLook, menu_tiles> looks;
    for (int k = 1; k <= menu_tiles; ++k)
        looks[k - 1] = resting_look(m, art, k, caption_fade, veil);
    std::array<bool, menu_tiles> rests{}, pasted{};
    std::vector<SDL_Rect> kept;
    for (int k = 1; k <= menu_tiles; ++k) {
        int i = k - 1;
        RestingTile& r = art.resting[i];
        rests[i] = may_rest(m, art, k, looks);
        SDL_Texture* outline = art.outline.get();
        pasted[i] = rests[i] && r.pixels && same_look(r.pixels_look, looks[i]) &&
                    (!outline || parts_drawable(outline, r.outline, looks[i].outline));
        if (!pasted[i]) {
            draw_tile(m, art, k, caption_fade);
            continue;
        }
        // The caption and the outline's ring as draw_tile draws them; the picture's rectangle
        // comes back after the veil.
        MenuTile p = main_menu_tile(k, window_width, window_height);
        SDL_Texture* caption = art.captions[i].get();
        if (caption) {
            set_alpha(caption, 0, 255, 255, caption_fade);
            draw_menu_tile(nullptr, caption, nullptr, p.dx, p.dy, p.w, p.h, tile_growth(m, k),
                           m.zoom[i]);
        }
        if (outline) {
            set_alpha(outline, 0, 255, 255, caption_fade);
            for (const SDL_Rect& band : ring(looks[i].outline, looks[i].picture))
                draw_part(outline, r.outline, looks[i].outline, band);
        }
        kept.push_back(looks[i].picture);
    }
    if (veil > 0) {
        SDL_Texture* v = art.veil.get();
        SDL_SetTextureAlphaMod(v, static_cast<Uint8>(veil));
        SDL_Rect window{0, 0, window_width, window_height};
        if (!kept.empty() && !parts_drawable(v, art.veil_fitted, window))
            art.veil_fitted = fit_picture(v, window_width, window_height);
        if (!kept.empty() && parts_drawable(v, art.veil_fitted, window)) {
            for (const SDL_Rect& part : rects_outside(window, kept))
                draw_part(v, art.veil_fitted, window, part);
        } else {
            draw_fullscreen(v);
        }
    }
    for (int i = 0; i < menu_tiles; ++i) {
        RestingTile& r = art.resting[i];
        if (pasted[i]) {
            SDL_RenderCopy(game_renderer, r.pixels.get(), nullptr, &looks[i].picture);
        } else if (rests[i] && same_look(r.look, looks[i])) {
            // The same look two frames running: kept from this finished frame.
            r.pixels = keep_rect(looks[i].picture);
            r.pixels_look = looks[i];
            if (art.outline && !parts_drawable(art.outline.get(), r.outline, looks[i].outline))
                r.outline = fit_picture(art.outline.get(), looks[i].outline.w, looks[i].outline.h);
        } else if (!rests[i]) {
            r.pixels.reset();
        }
        r.look = looks[i];
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
                       if (is_press(e) || e.type == SDL_MOUSEBUTTONDOWN ||
                           e.type == SDL_CONTROLLERBUTTONDOWN)
                           return back;
                   return in.quit ? quit : screen_running;
               },
               [&] {
                   if (picture) draw_fullscreen(picture.get());
               }) == back;
}
