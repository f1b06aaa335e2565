// Characters: loading a level's list, which one the player is near, and the bubble's fade.
#include "world/characters.h"

#include <SDL.h>

#include <cstdio>

#include "app/assets.h"
#include "app/clock.h"
#include "app/file_checks.h"
#include "app/paths.h"
#include "session/level_files.h"

namespace {
constexpr double reach = 2;  // cells around a character within which it speaks
constexpr int fade_step = 40;
constexpr int opaque = 255;
}  // namespace

void characters_init(Characters& c, CharacterArt& art) {
    c.hovered = c.shown = c.bubble_alpha = 0;
    c.anchor_x = c.anchor_y = 0;
    art.font = open_font("calibri.ttf", 20);
    art.bubble = load_texture("ide/bubble.png");
    if (art.bubble) SDL_SetTextureBlendMode(art.bubble.get(), SDL_BLENDMODE_BLEND);
    art.images.clear();
}

void characters_load(Characters& c, CharacterArt& art, const std::string& level) {
    art.images.clear();
    c.entries = read_characters_file(level);
    std::string file = level_path(level, "caracters.lvl");
    for (const Character& e : c.entries) {
        // A picture outside ressources/ or that is no regular file has said so already; a line
        // naming no picture names a missing one.
        FileState state = FileState::missing;
        if (!inside_resources(e.image_path, file)) {
            state = FileState::refused;
        } else if (!e.image_path.empty()) {
            state = file_state(resource_path(e.image_path));
        }
        art.images.push_back(state == FileState::regular ? load_texture(e.image_path) : nullptr);
        if (!art.images.back() && state != FileState::refused)
            std::printf("nul: no picture at ressources/%s\n", e.image_path.c_str());
    }
    std::fflush(stdout);
}

void characters_release(CharacterArt& art) {
    art.images.clear();
    art.bubble.reset();
    art.font.reset();
}

int character_near(const Characters& c, double player_x, double player_y) {
    for (size_t i = 0; i < c.entries.size(); ++i) {
        const Character& e = c.entries[i];
        if (e.disabled) continue;
        // The feet of a player standing two rows below the character may rest a hair under
        // that row.
        if (player_x >= e.x - reach && player_x < e.x + e.w + reach &&
            player_y + 0.00001 >= e.y - reach && player_y < e.y + e.h + reach)
            return static_cast<int>(i) + 1;
    }
    return 0;
}

namespace {
// One step of the bubble's fade, by whom the player was near. A bubble grows only while its own
// character is near; any other state fades it, and only a fully faded bubble passes to the
// character now near (or to none).
void bubble_fade(Characters& c) {
    if (c.hovered > 0 && c.shown == c.hovered) {
        c.bubble_alpha += fade_step;
    } else {
        c.bubble_alpha -= fade_step;
    }
    if (c.bubble_alpha > opaque) c.bubble_alpha = opaque;
    if (c.bubble_alpha < 0) {
        c.bubble_alpha = 0;
        c.shown = c.hovered;
    }
}
}  // namespace

void characters_update(Characters& c, double player_x, double player_y) {
    c.clock_ms = now_ms();
    // A frame looks who the player is near, draws the bubble, and only then steps the fade: the
    // step of the frame drawn last comes first here, so each frame draws the fade of the one
    // before it.
    bubble_fade(c);
    c.hovered = character_near(c, player_x, player_y);
    // The bubble stands up and right of its character. A reload may have left fewer characters
    // than the bubble's number: it then stays where it was while it fades.
    if (c.shown > 0 && c.shown <= static_cast<int>(c.entries.size())) {
        const Character& e = c.entries[c.shown - 1];
        c.anchor_x = e.x + 3;
        c.anchor_y = e.y - e.h + 1;
    }
}

std::vector<std::string> bubble_lines(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char ch : text) {
        if (ch == '&') {
            if (lines.size() == max_bubble_lines) break;
            lines.emplace_back();
        } else if (lines.back().size() < max_bubble_line_length) {
            lines.back() += ch;
        }
    }
    return lines;
}
