// Loading and releasing backgrounds. Every texture is made under the renderer handshake: the
// session's loading screen animates on its own thread while the background loads.
#include "world/background.h"

#include <SDL_image.h>

#include <cstdlib>

#include "app/assets.h"
#include "app/draw.h"

namespace {
const std::string background_folder = "textures/backgrounds/";

// Cuts the image into slices of background_slice_width; the last slice is padded with black.
// An image wider than max_background_slices slices keeps its first slices only.
void load_panorama(BackgroundArt& art, const std::string& fond, bool blend) {
    SurfacePtr image(IMG_Load(("ressources/" + background_folder + fond).c_str()));
    if (!image) return;
    int h = image->h;
    art.slice_count = image->w / background_slice_width;
    art.last_slice_width = image->w % background_slice_width;
    if (art.last_slice_width > 0) ++art.slice_count;
    if (art.slice_count > max_background_slices) {
        art.slice_count = max_background_slices;
        art.last_slice_width = 0;
    }
    for (int j = 0; j < art.slice_count; ++j) {
        SurfacePtr slice(SDL_CreateRGBSurface(0, background_slice_width, h, 32, 0, 0, 0, 0));
        if (!slice) continue;
        SDL_Rect src{j * background_slice_width, 0, background_slice_width, h};
        SDL_Rect dst{0, 0, background_slice_width, h};
        SDL_BlitSurface(image.get(), &src, slice.get(), &dst);
        renderer_acquire();
        art.slices[j].reset(SDL_CreateTextureFromSurface(game_renderer, slice.get()));
        renderer_release();
        if (blend && art.slices[j])
            SDL_SetTextureBlendMode(art.slices[j].get(), SDL_BLENDMODE_BLEND);
    }
}

void load_art(BackgroundArt& art, const std::string& fond, bool blend) {
    art = BackgroundArt{};
    if (fond.size() == 1) art.layer_set = std::atoi(fond.c_str()) + 1;
    if (art.layer_set == 0) {
        load_panorama(art, fond, blend);
        return;
    }
    for (int i = 0; i < background_layer_count; ++i) {
        TexturePtr& layer = art.layers[i];
        layer = load_texture(background_folder + fond + "/" + std::to_string(i) + ".png");
        if (blend && layer) SDL_SetTextureBlendMode(layer.get(), SDL_BLENDMODE_BLEND);
    }
}
}  // namespace

void background_load(Background& bg, const std::string& fond) {
    load_art(bg.art, fond, false);
    bg.clouds[0] = load_texture("ide/cloud.png");
    bg.clouds[1] = load_texture("ide/cloud2.png");
    bg.clouds[2] = load_texture("ide/cloud3.png");
}

void background_release(Background& bg) { bg = Background{}; }

void select_background_load(BackgroundArt& art, const std::string& fond) {
    load_art(art, fond, true);
}

void select_background_release(BackgroundArt& art) { art = BackgroundArt{}; }
