// Fonts are copied from Debian's font packages: Carlito (metric-compatible with the face the
// small texts were laid out for) as "calibri.ttf", and Comfortaa Bold, a rounded display face,
// as "intensa.ttf".
#include <cstdio>
#include <fstream>

#include "art/raster.h"
#include "assetgen.h"

namespace {
bool copy_file(const std::string& from, const std::string& to) {
    std::ifstream in(from, std::ios::binary);
    if (!in) {
        std::printf(
            "assetgen: font %s is missing (install fonts-comfortaa and fonts-crosextra-carlito)\n",
            from.c_str());
        return false;
    }
    if (!make_parent_dirs(to)) return false;
    std::ofstream out(to, std::ios::binary);
    out << in.rdbuf();
    return static_cast<bool>(out);
}
}  // namespace

bool copy_fonts(const std::string& root) {
    bool ok = copy_file(display_font_path(), root + "/fonts/intensa.ttf");
    ok = copy_file(small_font_path(), root + "/fonts/calibri.ttf") && ok;
    return ok;
}
