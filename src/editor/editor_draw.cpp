// Drawing the editor: the dock of brushes with both brushes highlighted, and the cursor.
#include "app/draw.h"
#include "editor/editor.h"

void editor_draw(const EditorState& ed, const EditorArt& art, const ThemeTiles& tiles) {
    if (!ed.active) return;
    int c = tile_size();
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
    // The rail brush has no slot of its own: while it is armed it stands highlighted at the
    // dock's right end, over the scrolling slots.
    if (ed.brush1 == rail_brush) {
        int x = window_width - dock_slot_width;
        draw_rect(art.select.get(), x, 0, dock_slot_width, dock_slot_width);
        draw_rect(tiles[slot_rail].get(), x + 5, 5, 50, 50);
    }
    draw_scaled_anchored(art.cursor.get(), ed.pointer_x, window_height - ed.pointer_y - 25, 1);
}
