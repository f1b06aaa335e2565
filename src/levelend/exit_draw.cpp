// The exit's pictures: the level's intro card, the proximity veil, the opening and closing veil
// and the session's last black frame.
#include <SDL_ttf.h>

#include "app/assets.h"
#include "app/audio.h"
#include "app/draw.h"
#include "app/loading.h"
#include "levelend/exit.h"

namespace {
constexpr int level_loading_ms = 2000;
constexpr int card_font_size = 75;
constexpr SDL_Color card_colour{220, 220, 200, 255};

// Titles and creators come from the level's description: UTF-8 when it is valid UTF-8 (our levels
// are written so), otherwise taken as Latin-1, so that an older file's accents still show.
bool valid_utf8(const std::string& s) {
    size_t i = 0;
    while (i < s.size()) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int extra = c < 0x80           ? 0
                    : (c >> 5) == 0x6  ? 1
                    : (c >> 4) == 0xE  ? 2
                    : (c >> 3) == 0x1E ? 3
                                       : -1;
        if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) return false;
        for (int k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
        i += 1 + static_cast<size_t>(extra);
    }
    return true;
}

TexturePtr card_text(TTF_Font* font, const std::string& text) {
    if (!font || text.empty()) return nullptr;
    SurfacePtr surface(valid_utf8(text) ? TTF_RenderUTF8_Blended(font, text.c_str(), card_colour)
                                        : TTF_RenderText_Blended(font, text.c_str(), card_colour));
    if (!surface) return nullptr;
    renderer_acquire();
    TexturePtr tex(SDL_CreateTextureFromSurface(game_renderer, surface.get()));
    renderer_release();
    return tex;
}
}  // namespace

void level_intro_card(LevelTransition& t, TransitionArt& art, TransitionSounds& sounds,
                      const std::string& titre, const std::string& createur) {
    sounds.end = load_sound("end.wav");
    FontPtr font = open_font("intensa.ttf", card_font_size);
    art.veil = make_black_texture();
    SDL_SetTextureBlendMode(art.veil.get(), SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(art.veil.get(), 255);
    TexturePtr creator = card_text(font.get(), createur);
    TexturePtr title = card_text(font.get(), titre);
    refresh_window_size();
    draw_fullscreen(art.veil.get());
    draw_scaled_centered(creator.get(), 50, 40, 0.5);
    draw_scaled_centered(title.get(), 50, 25, 1.0);
    // The loading screen freezes the card: kept before presenting, while the renderer holds it.
    TexturePtr card = window_snapshot();
    present_frame();
    loading_begin(level_loading_ms, "Loading", std::move(card));
    t.intro_alpha = 255;
}

void transition_draw_proximity(const LevelTransition& t, const TransitionArt& art) {
    set_alpha(art.veil.get(), 0, 255, 255, static_cast<int>(t.proximity));
    draw_fullscreen(art.veil.get());
}

void transition_draw_veil(const LevelTransition& t, const TransitionArt& art) {
    set_alpha(art.veil.get(), 0, 255, 255, 255 - t.intro_alpha);
    draw_fullscreen(art.veil.get());
}

void transition_close(TransitionArt& art) {
    SDL_SetTextureAlphaMod(art.veil.get(), 255);
    SDL_RenderClear(game_renderer);
    refresh_window_size();
    draw_fullscreen(art.veil.get());
    present_frame();
    art.veil.reset();
}
