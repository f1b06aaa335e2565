// The game's tiles and sprites: each level theme's blocks, decorations, items, rails and
// enemies, then the pieces shared by every theme (doors, exit portal, error tiles) and the
// characters (Mivo and the people met in the levels).
#include "art/art_tiles_util.h"
#include "assetgen.h"

bool generate_tiles(const std::string& root) {
    tiles::Writer out{root};
    for (const tiles::Theme& t : tiles::themes()) {
        tiles::draw_blocks(t, out);
        tiles::draw_decor(t, out);
        tiles::draw_items(t, out);
        tiles::draw_enemies(t, out);
    }
    tiles::draw_base_extras(out);
    tiles::draw_characters(out);
    return out.ok;
}
