// Splash screens: fades, hold and skip.
#include "app/splash.h"

#include "app/assets.h"
#include "app/clock.h"
#include "app/draw.h"
#include "app/screen.h"

namespace {
constexpr int fade_in_step = 15;   // 18 frames: 0, 15, … 255
constexpr int fade_out_step = 17;  // 16 frames: 0, 17, … 255
constexpr int hold_sleep_ms = 10;
constexpr int blackout_ms = 500;

bool skips(const SDL_Event& e) {
    return is_press(e) || e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_CONTROLLERBUTTONDOWN;
}

void next_phase(Splash& s) {
    s.frame = 0;
    s.phase = s.phase == SplashPhase::fade_in ? SplashPhase::hold : SplashPhase::fade_out;
    if (s.phase == SplashPhase::hold && s.hold_frames <= 0) s.phase = SplashPhase::fade_out;
}
}  // namespace

Splash splash_start(int duration_ms, bool first) {
    Splash s;
    s.first = first;
    s.hold_frames = duration_ms / 10;
    return s;
}

int splash_update(Splash& s, const Controls& in) {
    s.shown = true;
    switch (s.phase) {
        case SplashPhase::fade_in: {
            int a = fade_in_step * s.frame;
            s.veil_alpha = s.first ? a : 255;
            s.image_alpha = s.first ? 255 : a;
            if (++s.frame * fade_in_step > 255) next_phase(s);
            return screen_running;
        }
        case SplashPhase::hold:
            if (in.quit) return splash_quit;
            for (const SDL_Event& e : in.events) {
                if (!skips(e)) continue;
                s.shown = false;
                s.phase = SplashPhase::fade_out;
                s.frame = 0;
                return screen_running;
            }
            if (++s.frame >= s.hold_frames) next_phase(s);
            return screen_running;
        case SplashPhase::fade_out:
            s.cover_alpha = fade_out_step * s.frame;
            if (++s.frame * fade_out_step > 255) s.phase = SplashPhase::done;
            return screen_running;
        case SplashPhase::done:
            break;
    }
    s.shown = false;
    return splash_done;
}

void splash_draw(const Splash& s, const SplashArt& art) {
    SDL_SetTextureAlphaMod(art.veil.get(), static_cast<Uint8>(s.veil_alpha));
    draw_fullscreen(art.veil.get());
    if (!s.first) SDL_SetTextureAlphaMod(art.image.get(), static_cast<Uint8>(s.image_alpha));
    draw_scaled_centered(art.image.get(), 50, 45, 1.0);
    if (s.cover_alpha < 0) return;
    SDL_SetTextureAlphaMod(art.veil.get(), static_cast<Uint8>(s.cover_alpha));
    draw_fullscreen(art.veil.get());
}

bool show_splash(int duration_ms, const std::string& image, bool first) {
    // Keys pressed before the splash do not skip it; a closed window is not forgotten.
    Controls in;
    controls_read(in);
    if (in.quit) return false;
    if (!first) blackout();
    SplashArt art;
    art.image = load_texture(image);
    art.veil = make_black_texture();
    SDL_SetTextureBlendMode(art.veil.get(), SDL_BLENDMODE_BLEND);
    if (!first) SDL_SetTextureBlendMode(art.image.get(), SDL_BLENDMODE_BLEND);
    Splash s = splash_start(duration_ms, first);
    const Controls none;
    for (;;) {
        refresh_window_size();
        // Events wait in the queue during the fades: the hold reads them.
        const Controls* frame_in = &none;
        if (s.phase == SplashPhase::hold) {
            sleep_ms(hold_sleep_ms);
            controls_read(in);
            frame_in = &in;
        }
        int result = splash_update(s, *frame_in);
        if (result == splash_quit) return false;
        if (result == splash_done) return true;
        if (!s.shown) continue;
        splash_draw(s, art);
        present_frame();
        SDL_RenderClear(game_renderer);
    }
}

void blackout() {
    TexturePtr black = make_black_texture();
    draw_fullscreen(black.get());
    present_frame();
    SDL_RenderClear(game_renderer);
    black.reset();
    sleep_ms(blackout_ms);
}
