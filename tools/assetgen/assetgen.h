// The generator of the resource tree: each function writes one family of files under `root`
// (the folder that becomes "ressources/") and returns false when a file could not be written.
#pragma once
#include <string>

bool generate_tiles(const std::string& root);        // themes, base tiles, players, error tiles
bool generate_interface(const std::string& root);    // ide/: logo, menus, HUD, editor, clouds
bool generate_backgrounds(const std::string& root);  // textures/backgrounds/
bool generate_sounds(const std::string& root);       // sounds/sounds/*.wav
bool generate_music(const std::string& root);        // sounds/musics/*.ogg
bool copy_fonts(const std::string& root);            // fonts/intensa.ttf, fonts/calibri.ttf
bool generate_icons(const std::string& root);  // icons/: the desktop menu's, 256 px and vector
bool write_icon_svg(const std::string& path);  // the vector icon alone
