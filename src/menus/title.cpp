// The title screen's rules, drawing and loop.
#include "menus/title.h"

#include "app/assets.h"
#include "app/audio.h"
#include "app/draw.h"
#include "app/screen.h"
#include "menus/widgets.h"

namespace {
constexpr int fade_step = 15;
constexpr int fade_full = 253;  // the fade-out ends once the overlay passes this
constexpr int breath_period = 41;
constexpr int walk_period = 10;
constexpr SDL_Color label_colour{214, 238, 243, 255};

bool confirms(const SDL_Event& e) {
    if (e.type == SDL_MOUSEBUTTONDOWN) return true;
    if (e.type == SDL_CONTROLLERBUTTONDOWN)
        return e.cbutton.button == SDL_CONTROLLER_BUTTON_A ||
               e.cbutton.button == SDL_CONTROLLER_BUTTON_START;
    return e.type == SDL_KEYDOWN &&
           (e.key.keysym.sym == SDLK_SPACE || e.key.keysym.sym == SDLK_RETURN);
}

SDL_Texture* overlay_of(const Title& t, const TitleArt& art) {
    if (t.state == title_confirmed) return art.background.get();
    if (t.state == title_closed) return art.black.get();
    return t.returning ? art.background.get() : art.black.get();
}

void draw_full(SDL_Texture* tex, int alpha) {
    if (!tex) return;
    SDL_SetTextureAlphaMod(tex, static_cast<Uint8>(alpha & 0xff));
    draw_fullscreen(tex);
}
}  // namespace

TitleArt title_art() {
    TitleArt a;
    a.ground_top = load_texture("textures/theme_base/blocs/c.png");
    a.ground = load_texture("textures/theme_base/blocs/g.png");
    a.walk = {load_texture("players/skin_j1/1.png"), load_texture("players/skin_j1/2.png")};
    a.background = load_texture("ide/bgg.png");
    a.clouds = {load_texture("ide/cloud.png"), load_texture("ide/cloud2.png"),
                load_texture("ide/cloud3.png")};
    FontPtr font = open_font("intensa.ttf", 50);
    a.logo = load_texture("ide/mivo.png");
    a.play = make_label(font.get(), "Jouer", label_colour);
    a.black = make_black_texture();
    for (SDL_Texture* tex : {a.background.get(), a.clouds[0].get(), a.black.get()})
        if (tex) SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
    return a;
}

TitleSounds title_sounds() { return {load_sound("end.wav")}; }

int title_update(Title& t, const Controls& c, const TitleSounds* sounds) {
    if (t.ticks > 0) {
        // What the previous frame did after drawing: the overlay's step and the logo's breath.
        if (t.state != title_waiting)
            t.fade += fade_step;
        else if (t.fade > 0)
            t.fade -= fade_step;
        t.logo_scale += ((t.ticks % breath_period) - 20) / 3000.0;
    }
    if (t.state != title_waiting && t.fade > fade_full) {
        t.done = true;
        return t.state == title_confirmed ? title_go_on : title_quit;
    }
    if (c.quit) t.state = title_closed;
    for (const SDL_Event& e : c.events) {
        if (!confirms(e)) continue;
        if (t.state != title_confirmed && sounds) play_sound(sounds->confirm.get(), true);
        t.state = title_confirmed;
    }
    cloud_tunnel_step(cloud_tunnel);
    t.ticks += 1;
    return screen_running;
}

void title_draw(const Title& t, const TitleArt& art) {
    draw_full(art.background.get(), 255);
    if (t.done) {
        if (t.state == title_closed) draw_full(art.black.get(), 255);
        return;
    }
    cloud_tunnel_draw(cloud_tunnel,
                      {art.clouds[0].get(), art.clouds[1].get(), art.clouds[2].get()});
    int w = window_width, h = window_height, c = tile_size();
    draw_scaled_centered(art.logo.get(), 50, 20, h * t.logo_scale / 600);
    draw_scaled_centered(art.play.get(), 50, 55, h / 600);
    for (int i = 0; i <= w / c + 1; ++i) {
        int x = c * i - (2 * t.ticks) % c;
        draw_cell_px(art.ground_top.get(), x, 2 * c);
        draw_cell_px(art.ground.get(), x, c);
    }
    SDL_Texture* step = art.walk[(t.ticks % walk_period) < walk_period / 2 ? 0 : 1].get();
    draw_sprite_cells(step, false, w / 3, 4 * c, 1, 2);
    if (t.fade > 0 || t.state != title_waiting) draw_full(overlay_of(t, art), t.fade);
}

int title_screen(bool returning) {
    TitleArt art = title_art();
    TitleSounds sounds = title_sounds();
    play_music("vesk.ogg");
    drop_pending_events();
    Title t;
    t.returning = returning;
    return run_screen([&](const Controls& in) { return title_update(t, in, &sounds); },
                      [&] { title_draw(t, art); });
}
