// Carousel perspective: the scale falls off with the distance from the centre.
#include "world/carousel.h"

#include <cmath>
#include <cstdlib>

#include "app/draw.h"

namespace {
void copy(SDL_Texture* tex, const SDL_Rect& r) {
    if (tex) SDL_RenderCopy(game_renderer, tex, nullptr, &r);
}
}  // namespace

bool carousel_rect(SDL_Texture* tex, int x, int y, double s, SDL_Rect* out) {
    int half = window_width / 2;
    if (x >= half || x <= -half) return false;
    double k = std::pow(static_cast<double>(half - std::abs(x)), 1.12) * 0.0015;
    double f = k * 0.25 * s;
    int w = 0, h = 0;
    if (tex) SDL_QueryTexture(tex, nullptr, nullptr, &w, &h);
    int sw = static_cast<int>(w * f), sh = static_cast<int>(h * f);
    *out = {x + (window_width - sw) / 2, y + (window_height - sh) / 2, sw, sh};
    return true;
}

void draw_carousel_pair(SDL_Texture* front, SDL_Texture* back, int x, int y, double s) {
    SDL_Rect card{}, label{};
    bool has_card = back && carousel_rect(back, x, y, s, &card);
    if (has_card) copy(back, card);
    if (!carousel_rect(front, x, y, s, &label)) return;
    // A long name is narrowed to the card's inner width rather than spilling over its sides.
    int room = card.w * 17 / 20;
    if (has_card && label.w > room && label.w > 0) {
        int h = label.h * room / label.w;
        label = {label.x + (label.w - room) / 2, label.y + (label.h - h) / 2, room, h};
    }
    copy(front, label);
}

bool carousel_hit(const SDL_Event& event, SDL_Texture* front, int x, int y, double s) {
    if (event.type != SDL_MOUSEBUTTONDOWN) return false;
    SDL_Rect r;
    if (!carousel_rect(front, x, y, s, &r)) return false;
    int cx = event.button.x, cy = event.button.y;
    return r.x < cx && cx < r.x + r.w && r.y < cy && cy < r.y + r.h;
}
