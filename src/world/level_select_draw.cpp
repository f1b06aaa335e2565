// Drawing the level selection: backgrounds cross-fading with the carousel, the breathing logo,
// the buttons, the back button, the cursor in full screen, and the veil.
#include <algorithm>
#include <cmath>
#include <vector>

#include "app/draw.h"
#include "world/carousel.h"
#include "world/level_select.h"

namespace {
bool full_screen() {
    return game_window && (SDL_GetWindowFlags(game_window) & SDL_WINDOW_FULLSCREEN) != 0;
}
}  // namespace

void level_select_draw(const LevelSelect& ls, const LevelSelectArt& art) {
    // Drawn on a frame cleared to black.
    int w = window_width, h = window_height, t = tile_size();
    int count = static_cast<int>(ls.names.size());
    struct Shown {
        const BackgroundArt* art;
        double x;
        int alpha;
    };
    std::vector<Shown> shown;
    for (int i = 0; i < count; ++i) {
        int alpha = std::clamp(static_cast<int>((1 - std::fabs(ls.scroll - i)) * 255), 0, 255);
        if (alpha == 0 || static_cast<std::size_t>(i) >= art.background_of.size()) continue;
        double x = ((w * i) / 2 - w * ls.scroll / 2 - w / 2 + 100) / t;
        shown.push_back({&art.backgrounds[art.background_of[i]], x, alpha});
    }
    // Two cross-fading are drawn together on the frame when they can be; otherwise one after the
    // other, each on its own canvas, the first one on the black the frame was cleared to.
    if (shown.size() != 2 ||
        !select_backgrounds_cross_fade(*shown[0].art, shown[0].x, shown[0].alpha, *shown[1].art,
                                       shown[1].x, shown[1].alpha)) {
        std::size_t faded = 0;
        if (shown.size() == 2 && !art.canvases[1]) art.canvases_missed = true;
        for (const Shown& s : shown) {
            const bool onto_black = faded == 0;
            SDL_Texture* canvas =
                faded < art.canvases.size() ? art.canvases[faded++].get() : nullptr;
            select_background_draw(*s.art, s.x, s.alpha, canvas, onto_black);
        }
    }
    draw_scaled_centered(art.logo.get(), 50, 20, h * ls.logo_drawn / 600);
    draw_scaled_anchored(art.version.get(), 0, 0, 1.0);
    int note_w = 0;
    if (art.left_out &&
        SDL_QueryTexture(art.left_out.get(), nullptr, nullptr, &note_w, nullptr) == 0)
        draw_scaled_anchored(art.left_out.get(), w - note_w, 0, 1.0);
    for (int i = 0; i < count; ++i)
        draw_carousel_pair(art.labels[i].get(), art.button.get(), carousel_x(i, ls.scroll), 70,
                           0.7);
    draw_offset_centered(art.back.get(), 100 - w / 2, 40 - h / 2);
    if (full_screen())
        draw_scaled_anchored(art.cursor.get(), ls.mouse_x - 1, h - ls.mouse_y - 22, 1.0);
    if (ls.fade >= 1 || ls.choice.kind != SelectChoice::none) {
        set_alpha(art.veil.get(), 0, 255, std::clamp(ls.fade, 0, 255), 0);
        draw_fullscreen(art.veil.get());
    }
}
