// Drawing the editor: the cell under the pointer outlined with the brushes faint in it, the dock
// of brushes with both brushes highlighted, the names and marks that tell the author what is
// what, and the cursor.
#include <algorithm>
#include <cmath>

#include "app/clock.h"
#include "app/draw.h"
#include "editor/editor.h"

namespace {
constexpr Uint8 preview_alpha = 110;

// Fills a rectangle with a colour, leaving the renderer's colour and blending as they were
// (the frame is cleared with that colour).
void fill(const SDL_Rect& r, SDL_Color c) {
    Uint8 old_r, old_g, old_b, old_a;
    SDL_BlendMode old_mode;
    SDL_GetRenderDrawColor(game_renderer, &old_r, &old_g, &old_b, &old_a);
    SDL_GetRenderDrawBlendMode(game_renderer, &old_mode);
    SDL_SetRenderDrawBlendMode(game_renderer, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(game_renderer, c.r, c.g, c.b, c.a);
    SDL_RenderFillRect(game_renderer, &r);
    SDL_SetRenderDrawColor(game_renderer, old_r, old_g, old_b, old_a);
    SDL_SetRenderDrawBlendMode(game_renderer, old_mode);
}

void frame(const SDL_Rect& r, int thickness, SDL_Color c) {
    fill({r.x, r.y, r.w, thickness}, c);
    fill({r.x, r.y + r.h - thickness, r.w, thickness}, c);
    fill({r.x, r.y, thickness, r.h}, c);
    fill({r.x + r.w - thickness, r.y, thickness, r.h}, c);
}

constexpr int plate_x = 6, plate_y = 2;  // the plate's border around a text
constexpr int help_edge = 8;             // the least room between the help's plate and the window

// Text on a dark plate, its top-left corner at (x, y), w × h.
void label(SDL_Texture* text, int x, int y, int w, int h) {
    fill({x - plate_x, y - plate_y, w + 2 * plate_x, h + 2 * plate_y}, {20, 24, 40, 200});
    draw_rect(text, x, y, w, h);
}

// Text on a dark plate at its own size, its top-left corner at (x, y).
void label(SDL_Texture* text, int x, int y) {
    int w = 0, h = 0;
    if (!text || SDL_QueryTexture(text, nullptr, nullptr, &w, &h) != 0) return;
    label(text, x, y, w, h);
}

// The help along the window's foot: on one line where it fits, else on two, each shrunk where
// even that is too wide, so that none of it ever leaves the window.
void draw_help(const EditorArt& art) {
    int room = window_width - 2 * (plate_x + help_edge);
    int w = 0, h = 0;
    if (art.help && SDL_QueryTexture(art.help.get(), nullptr, nullptr, &w, &h) == 0 && w <= room) {
        label(art.help.get(), (window_width - w) / 2, window_height - h - 6);
        return;
    }
    int bottom = window_height - 6;  // where the next line up ends
    for (int i = static_cast<int>(art.help_lines.size()) - 1; i >= 0; --i) {
        SDL_Texture* line = art.help_lines[i].get();
        if (!line || SDL_QueryTexture(line, nullptr, nullptr, &w, &h) != 0) continue;
        if (w > room && room > 0) {
            h = h * room / w;
            w = room;
        }
        label(line, (window_width - w) / 2, bottom - h, w, h);
        bottom -= h + 2 * plate_y;  // the plates meet without overlapping
    }
}

// A tile drawn see-through, its own alpha and blending put back afterwards.
void faint(SDL_Texture* tex, const SDL_Rect& r) {
    if (!tex) return;
    Uint8 alpha;
    SDL_BlendMode mode;
    SDL_GetTextureAlphaMod(tex, &alpha);
    SDL_GetTextureBlendMode(tex, &mode);
    SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
    SDL_SetTextureAlphaMod(tex, static_cast<Uint8>(alpha * preview_alpha / 255));
    draw_rect(tex, r.x, r.y, r.w, r.h);
    SDL_SetTextureAlphaMod(tex, alpha);
    SDL_SetTextureBlendMode(tex, mode);
}

// The cell that painting would change, outlined, with what painting would put there.
void draw_target(const EditorState& ed, const ThemeTiles& tiles, const World& world) {
    if (ed.pointer_y <= dock_height) return;
    int t = tile_size();
    SDL_Rect cell{static_cast<int>(t * (ed.cell_column - world.camera_x)),
                  static_cast<int>(window_height - t * (ed.cell_row - world.camera_y + 1)), t, t};
    int decor = brush_icon(DockLayer::decor, ed.brush1);
    int play = brush_icon(DockLayer::play, ed.brush0);
    if (decor >= 0) faint(tiles[decor].get(), cell);
    if (play >= 0) faint(tiles[play].get(), cell);
    bool eraser = ed.brush0 == ' ' && ed.brush1 == ' ';
    frame({cell.x - 1, cell.y - 1, cell.w + 2, cell.h + 2}, 1, {0, 0, 0, 255});
    frame(cell, 2, eraser ? SDL_Color{255, 90, 80, 255} : SDL_Color{255, 236, 140, 255});
}

// The cell the author came to look at: a thick pink frame, breathing, with dark edges so it
// shows on any tile.
void draw_mark(const EditorState& ed, const EditorArt& art, const World& world) {
    if (!ed.marked) return;
    int t = tile_size();
    SDL_Rect cell{static_cast<int>(t * (ed.marked_column - world.camera_x)),
                  static_cast<int>(window_height - t * (ed.marked_row - world.camera_y + 1)), t, t};
    int grow = 3 + static_cast<int>(3 * (1 + std::sin(now_ms() / 150.0)));
    SDL_Rect outer{cell.x - grow, cell.y - grow, cell.w + 2 * grow, cell.h + 2 * grow};
    frame({outer.x - 1, outer.y - 1, outer.w + 2, outer.h + 2}, 1, {43, 45, 66, 255});
    frame(outer, 3, {255, 93, 162, 255});
    frame({outer.x + 3, outer.y + 3, outer.w - 6, outer.h - 6}, 1, {43, 45, 66, 255});
    // The note stands right of the cell, or left of it where the window ends.
    int w = 0, h = 0;
    if (!art.mark_note || SDL_QueryTexture(art.mark_note.get(), nullptr, nullptr, &w, &h) != 0)
        return;
    int x = cell.x + cell.w + 16;
    if (x + w + 8 > window_width) x = std::max(8, cell.x - 16 - w);
    label(art.mark_note.get(), x, cell.y + (cell.h - h) / 2);
}

// The rail brush and the eraser have no slot of their own: whichever is armed stands highlighted
// at the dock's right end, over the scrolling slots.
void draw_tool_badge(const EditorState& ed, const EditorArt& art, const ThemeTiles& tiles) {
    bool rail = ed.brush1 == rail_brush;
    bool eraser = ed.brush0 == ' ' && ed.brush1 == ' ';
    if (!rail && !eraser) return;
    int x = window_width - dock_slot_width;
    draw_rect(art.dock.get(), x, 0, dock_slot_width, dock_height);
    draw_rect(art.select.get(), x, 0, dock_slot_width, dock_slot_width);
    if (rail) {
        draw_rect(tiles[slot_rail].get(), x + 5, 5, 50, 50);
        return;
    }
    const SDL_Color red{230, 70, 60, 255};
    for (int i = 0; i < 26; ++i) {  // a thick red cross: painting erases
        fill({x + 17 + i, 17 + i, 4, 4}, red);
        fill({x + 17 + i, 42 - i, 4, 4}, red);
    }
}
}  // namespace

void editor_draw(const EditorState& ed, const EditorArt& art, const ThemeTiles& tiles,
                 const World& world) {
    if (ed.active) {
        int c = tile_size();
        draw_mark(ed, art, world);
        draw_target(ed, tiles, world);
        draw_rect(art.dock.get(), 0, 0, window_width, dock_height);
        int play_slot = dock_slot_of(DockLayer::play, ed.brush0);
        int decor_slot = dock_slot_of(DockLayer::decor, ed.brush1);
        for (int slot = 0; slot < dock_slot_count; ++slot) {
            DockSlot s = dock_slot(slot);
            if (s.layer == DockLayer::gap) continue;
            SDL_Texture* icon = tiles[s.icon].get();
            int x = slot * dock_slot_width - ed.dock_scroll_drawn;
            if (slot == play_slot || slot == decor_slot) {
                draw_rect(art.select.get(), x, 0, dock_slot_width, dock_slot_width);
                draw_rect(icon, x + 5, 5, 50, 50);
            } else {
                draw_rect(icon, x + 10, 10, c, c);
            }
        }
        draw_tool_badge(ed, art, tiles);
        if (ed.hover_slot >= 0)
            label(art.slot_names[ed.hover_slot].get(), ed.pointer_x + 14, dock_height + 6);
        if (ed.unsaved) {
            int w = 0, h = 0;
            SDL_QueryTexture(art.unsaved.get(), nullptr, nullptr, &w, &h);
            label(art.unsaved.get(), window_width - w - 10, dock_height + 6);
        }
        draw_help(art);
    }
    if (world.clock_ms < ed.notice_until && art.notice) {
        int w = 0, h = 0;
        SDL_QueryTexture(art.notice.get(), nullptr, nullptr, &w, &h);
        label(art.notice.get(), (window_width - w) / 2, dock_height + 40);
    }
    if (ed.active)
        draw_scaled_anchored(art.cursor.get(), ed.pointer_x, window_height - ed.pointer_y - 25, 1);
}
