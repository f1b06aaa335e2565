// The level checker's rules. Every rule reads the files as the game's own readers do (the same
// parsers, the same limits), so what it reports is what the game would do.
#include "check/level_check.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>

#include "app/assets.h"
#include "app/audio.h"
#include "app/file_checks.h"
#include "app/kv_reader.h"
#include "app/paths.h"
#include "levelend/doors.h"
#include "session/level_files.h"
#include "session/world.h"
#include "world/characters.h"
#include "world/enemies.h"
#include "world/level_select.h"

namespace fs = std::filesystem;

namespace {
// What the readers of caracters.lvl and portals.lvl keep (see session/level_files.cpp).
constexpr size_t entry_line_length = 999;
constexpr size_t entry_number_length = 4;
constexpr size_t picture_path_length = 39;
constexpr size_t character_text_length = 499;
// What the key=value reader keeps of a line (see app/kv_reader.h).
constexpr size_t config_line_keeps = 40;
constexpr int player_height = 2;
// The exit pulls the player's lower-left corner to this offset from the exit marker.
constexpr double exit_pull_x = 4.5, exit_pull_y = 4;

const char* const kind_names[] = {
    "file_missing",   "name_too_long",   "empty_level",     "row_too_long",  "too_many_rows",
    "decor_cut",      "no_start",        "no_exit",         "extra_start",   "extra_exit",
    "marker_ignored", "start_in_block",  "exit_in_block",   "error_code",    "spawn_nothing",
    "extra_platform", "rail_alone",      "door_no_partner", "door_outside",  "door_arrival_blocked",
    "entry_cut",      "picture_missing", "bubble_too_big",  "theme_missing", "background_missing",
    "music_missing",  "config_cut",
};
static_assert(std::size(kind_names) == static_cast<size_t>(FindingKind::config_cut) + 1);

// The grid size is a global of the running level: the checker borrows it and puts it back.
struct GridSizeKept {
    int width = grid_width, height = grid_height;
    ~GridSizeKept() {
        grid_width = width;
        grid_height = height;
    }
};

// A regular file (links followed), asked silently: the report says what is wrong.
bool plain_file(const std::string& path) {
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

bool folder(const std::string& path) {
    std::error_code ec;
    return fs::is_directory(path, ec);
}

// The whole file, or nothing when it is missing or not a regular file (said in the report, not
// on standard output).
bool read_text(const std::string& path, std::string* text) {
    return plain_file(path) && read_checked_file(path, text);
}

std::string at_cell(int column, int row) {
    return "column " + std::to_string(column) + ", row " + std::to_string(row);
}

std::string in_quotes(const std::string& s) { return "\"" + s + "\""; }

std::string shown_code(char c) {
    if (c >= 33 && c <= 126) return std::string("'") + c + "'";
    char text[16];
    std::snprintf(text, sizeof text, "byte %d", static_cast<unsigned char>(c));
    return text;
}

// Collects findings, at most max_findings_of_a_kind of each kind, then counts the rest.
struct Findings {
    std::vector<Finding> list;
    std::map<FindingKind, int> left_out;
    std::map<FindingKind, int> counted;

    void add(FindingKind kind, const std::string& file, int column, int row,
             const std::string& words) {
        if (++counted[kind] > max_findings_of_a_kind) {
            left_out[kind] += 1;
            return;
        }
        list.push_back({kind, file, column, row, words});
    }
    void add(FindingKind kind, const std::string& file, const std::string& words) {
        add(kind, file, -1, -1, words);
    }
    std::vector<Finding> done() {
        for (const auto& [kind, n] : left_out)
            list.push_back(
                {kind, "", -1, -1, "and " + std::to_string(n) + " more like the ones above"});
        return std::move(list);
    }
};

// The fields of an entry line as written, cut nowhere: what stands between its separators.
// The first field is what stands before the first separator (ignored by the readers).
std::vector<std::string> raw_fields(const std::string& line, bool ends_at_cr) {
    std::vector<std::string> fields(1);
    for (char ch : line) {
        if (ch == '\n' || ch == '\0' || (ends_at_cr && ch == '\r')) break;
        if (ch == '[' || ch == '|' || ch == ']') {
            fields.emplace_back();
        } else {
            fields.back() += ch;
        }
    }
    return fields;
}

std::vector<std::string> raw_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(line);
    return lines;
}

// --- config.ini and what it names ---

void check_config_lines(const std::string& text, Findings& out) {
    std::vector<std::string> lines = raw_lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        size_t body = line.find_first_of(";\r");
        std::string kept = line.substr(0, body);
        if (kept.size() <= config_line_keeps) continue;
        std::string key = kept.substr(0, kept.find('='));
        out.add(FindingKind::config_cut, "config.ini",
                "line " + std::to_string(i + 1) + " (" + key + ") is longer than " +
                    std::to_string(config_line_keeps) + " characters: the game reads " +
                    in_quotes(kept.substr(0, config_line_keeps)));
    }
}

// A picture the texture loaders accept: they measure its path as the source folder names it
// ("ressources/" and the part below), wherever the resources really are, and it is a regular file.
bool loadable_texture(const std::string& resources, const std::string& relative) {
    return source_resource_chars(relative) <= max_texture_path &&
           plain_file(resources + "/" + relative);
}

void check_theme(const std::string& theme, const std::string& resources, Findings& out) {
    if (theme.empty()) {
        out.add(FindingKind::theme_missing, "config.ini",
                "no theme: blocks and decorations will not show");
        return;
    }
    std::string below = "textures/theme_" + theme;
    std::string base = resources + "/" + below;
    if (!folder(base)) {
        out.add(FindingKind::theme_missing, "config.ini",
                "theme " + in_quotes(theme) + " does not exist (no folder " + base + ")");
        return;
    }
    std::vector<std::string> missing;
    auto need = [&](const std::string& category, char first, char last) {
        for (char c = first; c <= last; ++c) {
            std::string file = category + "/" + c + ".png";
            if (!loadable_texture(resources, below + "/" + file)) missing.push_back(file);
        }
    };
    need("blocs", 'a', 's');
    need("objets", 'a', 'h');
    need("decor", 'A', 'L');
    need("rail", '0', '1');
    if (missing.empty()) return;
    out.add(FindingKind::theme_missing, "config.ini",
            "theme " + in_quotes(theme) + " lacks " + std::to_string(missing.size()) +
                (missing.size() == 1 ? " tile: " : " tiles, first ") + missing.front());
}

void check_background(const std::string& fond, const std::string& resources, Findings& out) {
    std::string below = "textures/backgrounds/";
    std::string base = resources + "/" + below;
    if (fond.empty()) {
        out.add(FindingKind::background_missing, "config.ini", "no background (fond)");
        return;
    }
    if (fond.size() == 1) {
        // A layered set: the sky and three bands (the fourth picture is never drawn).
        for (char c = '0'; c <= '3'; ++c) {
            std::string file = fond + "/" + c + ".png";
            if (loadable_texture(resources, below + file)) continue;
            out.add(FindingKind::background_missing, "config.ini",
                    "background " + in_quotes(fond) + " lacks " + base + file);
            return;
        }
        return;
    }
    if (!loadable_texture(resources, below + fond))
        out.add(FindingKind::background_missing, "config.ini",
                "background " + in_quotes(fond) + " is not a picture of " + base);
}

void check_music(const std::string& musique, const std::string& resources, Findings& out) {
    if (musique.empty()) {
        out.add(FindingKind::music_missing, "config.ini", "no music (musique)");
        return;
    }
    std::string below = "sounds/musics/" + musique;
    if (source_resource_chars(below) > max_sound_path || !plain_file(resources + "/" + below))
        out.add(
            FindingKind::music_missing, "config.ini",
            "music " + in_quotes(musique) + " is not a file of " + resources + "/sounds/musics");
}

// --- the layers ---

void report_line_cuts(const std::string& text, const std::string& file, int height, Findings& out) {
    std::vector<std::string> lines = raw_lines(text);
    for (size_t i = 0; i < lines.size() && i < static_cast<size_t>(max_grid_height); ++i) {
        GridCuts cuts;
        parse_grid_text(lines[i], true, &cuts);
        if (cuts.long_rows == 0) continue;
        int row = height - 1 - static_cast<int>(i);
        out.add(FindingKind::row_too_long, file, -1, -1,
                "line " + std::to_string(i + 1) + " (row " + std::to_string(row) +
                    ") is longer than " + std::to_string(max_grid_width) +
                    " cells: the rest is cut");
    }
    if (lines.size() > static_cast<size_t>(max_grid_height))
        out.add(FindingKind::too_many_rows, file,
                std::to_string(lines.size() - max_grid_height) + " line(s) past the " +
                    std::to_string(max_grid_height) + "th are left out");
}

// Reads both layers as the game does; false when there is no level to look at.
bool read_layers(const std::string& folder_path, CheckedLayers& layers, Findings& out) {
    std::string play_text, decor_text;
    bool play_read = read_text(folder_path + "/0.lvl", &play_text);
    bool decor_read = read_text(folder_path + "/1.lvl", &decor_text);
    if (!play_read || !decor_read) return false;
    GridSizeKept kept;
    GridCuts play_cuts, decor_cuts;
    Grid play = parse_grid_text(play_text, true, &play_cuts);
    if (grid_width == 0 || grid_height == 0) {
        out.add(FindingKind::empty_level, "0.lvl", "0.lvl holds no cells: there is no level");
        return false;
    }
    Grid decor = parse_grid_text(decor_text, false, &decor_cuts);
    layers.width = grid_width;
    layers.height = grid_height;
    layers.play.assign(play.data(), play.size());
    layers.decor.assign(decor.data(), decor.size());
    if (play_cuts.any()) report_line_cuts(play_text, "0.lvl", layers.height, out);
    if (decor_cuts.long_rows + decor_cuts.rows > 0)
        report_line_cuts(decor_text, "1.lvl", layers.height, out);
    if (decor_cuts.rows_outside > 0)
        out.add(FindingKind::decor_cut, "1.lvl",
                std::to_string(decor_cuts.rows_outside) + " row(s) below the play layer's " +
                    std::to_string(layers.height) + " are left out");
    if (decor_cuts.wide_rows > 0)
        out.add(FindingKind::decor_cut, "1.lvl",
                std::to_string(decor_cuts.wide_rows) + " row(s) wider than the play layer's " +
                    std::to_string(layers.width) + " cells are cut");
    return true;
}

struct Marker {
    int column, row;
    bool counts;  // the cell above it is no solid block of the decor layer
};

void check_one_marker_kind(const CheckedLayers& l, char code, Findings& out, Marker* counted) {
    const bool start = code == cell::start_marker;
    const std::string what = start ? "start marker" : "exit marker";
    std::vector<Marker> markers;
    // In the order the game finds them: the top row first, each row left to right.
    // The layer holds its cells in that order; most hold no marker, so only the code is looked for.
    for (size_t i = l.decor.find(code); i != std::string::npos; i = l.decor.find(code, i + 1)) {
        int column = static_cast<int>(i % l.width);
        int row = l.height - 1 - static_cast<int>(i / l.width);
        markers.push_back({column, row, !side_solid(l.decor_at(row + 1, column))});
    }
    const Marker* last = nullptr;
    for (const Marker& m : markers)
        if (m.counts) last = &m;
    for (const Marker& m : markers) {
        if (!m.counts) {
            out.add(FindingKind::marker_ignored, "1.lvl", m.column, m.row,
                    what + " under a block of the decor layer does not count");
        } else if (&m != last) {
            out.add(start ? FindingKind::extra_start : FindingKind::extra_exit, "1.lvl", m.column,
                    m.row,
                    "another " + what + ": only the one at " + at_cell(last->column, last->row) +
                        " counts");
        }
    }
    if (last) {
        *counted = *last;
        return;
    }
    *counted = {0, 0, false};
    out.add(start ? FindingKind::no_start : FindingKind::no_exit, "1.lvl",
            start ? "no start marker (decor 'A'): the player starts at column 0, row 0"
                  : "no exit marker (decor 'B'): the exit stands at column 0, row 0");
}

void check_markers(LevelReport& r, Findings& out) {
    const CheckedLayers& l = r.layers;
    Marker start{}, exit{};
    check_one_marker_kind(l, cell::start_marker, out, &start);
    check_one_marker_kind(l, cell::exit_marker, out, &exit);
    r.start_column = start.column;
    r.start_row = start.row;
    r.exit_column = exit.column;
    r.exit_row = exit.row;
    if (start.counts) {
        for (int dy = 0; dy < player_height; ++dy) {
            if (!side_solid(l.play_at(start.row + dy, start.column))) continue;
            out.add(
                FindingKind::start_in_block, "1.lvl", start.column, start.row,
                "the player starts inside the block at " + at_cell(start.column, start.row + dy));
            break;
        }
    }
    if (exit.counts) {
        // The exit draws the player's body (1 × 2 cells) to the middle of its portal.
        double x = exit.column + exit_pull_x, y = exit.row + exit_pull_y;
        for (int column = static_cast<int>(x); column < x + 1; ++column) {
            for (int row = static_cast<int>(y); row < y + player_height; ++row) {
                if (!side_solid(l.play_at(row, column))) continue;
                out.add(
                    FindingKind::exit_in_block, "1.lvl", exit.column, exit.row,
                    "the exit's portal pulls the player into the block at " + at_cell(column, row));
                return;
            }
        }
    }
}

bool plays_as_item(char c) { return c >= 'A' && c <= 'H'; }
bool spawn_digit(char c) { return c >= '0' && c <= '5'; }

// A play cell the game plays without a word: empty, a block, an item or a digit that spawns.
bool plain_play_code(char p) {
    return p == cell::empty || is_block(p) || plays_as_item(p) ||
           (spawn_digit(p) && enemy_type_of_cell(p));
}
bool known_decor_code(char d) {
    return d == cell::empty || (d >= '0' && d <= '9') || is_block(d) || (d >= 'A' && d <= 'L') ||
           d == cell::rail;
}

void check_codes(const CheckedLayers& l, Findings& out) {
    // Both answers for each of the 256 codes, once: a level has up to 99 900 cells of each layer.
    struct Plain {
        bool play[256], decor[256];
    };
    static const Plain plain = [] {
        Plain t{};
        for (int c = 0; c < 256; ++c) {
            t.play[c] = plain_play_code(static_cast<char>(c));
            t.decor[c] = known_decor_code(static_cast<char>(c));
        }
        return t;
    }();
    for (int row = l.height - 1; row >= 0; --row) {
        const size_t first = static_cast<size_t>(l.height - 1 - row) * l.width;
        const char* play_row = l.play.data() + first;
        const char* decor_row = l.decor.data() + first;
        for (int column = 0; column < l.width; ++column) {
            // Stretches of empty cells in both layers, the most common sight, are passed by whole.
            static const std::string blanks(64, cell::empty);
            while (column + 64 <= l.width &&
                   std::memcmp(play_row + column, blanks.data(), 64) == 0 &&
                   std::memcmp(decor_row + column, blanks.data(), 64) == 0)
                column += 64;
            if (column == l.width) break;
            const char p = play_row[column], d = decor_row[column];
            if (plain.play[static_cast<unsigned char>(p)] &&
                plain.decor[static_cast<unsigned char>(d)])
                continue;
            if (p != cell::empty && !is_block(p) && !plays_as_item(p) && !spawn_digit(p)) {
                out.add(FindingKind::error_code, "0.lvl", column, row,
                        "code " + shown_code(p) + " of the play layer draws as the error tile");
            } else if (spawn_digit(p) && !enemy_type_of_cell(p)) {
                out.add(FindingKind::spawn_nothing, "0.lvl", column, row,
                        "spawn digit " + shown_code(p) +
                            " spawns nothing: only 0 (walker) and 1 (flyer) exist");
            }
            if (!plain.decor[static_cast<unsigned char>(d)])
                out.add(FindingKind::error_code, "1.lvl", column, row,
                        "code " + shown_code(d) + " of the decor layer draws as the error tile");
        }
    }
}

void check_rails(const CheckedLayers& l, Findings& out) {
    int platforms = 0;
    // In the order the platforms are built: the lowest row first, each row left to right.
    for (int row = 0; row < l.height; ++row) {
        const char* cells = l.decor.data() + static_cast<size_t>(l.height - 1 - row) * l.width;
        for (const char* p = std::find(cells, cells + l.width, cell::rail); p != cells + l.width;
             p = std::find(p + 1, cells + l.width, cell::rail)) {
            const int column = static_cast<int>(p - cells);
            if (is_block(l.play_at(row, column)) && ++platforms > max_rail_platforms)
                out.add(FindingKind::extra_platform, "0.lvl", column, row,
                        "only " + std::to_string(max_rail_platforms) +
                            " platforms are built: this block on a rail stays where it is");
            bool joined = l.decor_at(row + 1, column) == cell::rail ||
                          l.decor_at(row - 1, column) == cell::rail ||
                          l.decor_at(row, column + 1) == cell::rail ||
                          l.decor_at(row, column - 1) == cell::rail;
            if (!joined)
                out.add(FindingKind::rail_alone, "1.lvl", column, row,
                        "this rail connects to no other rail: a platform on it never moves");
        }
    }
}

// The lines an entry file's reader takes, each with its number in the file (from 1).
struct EntryLines {
    std::vector<std::string> text;
    std::vector<size_t> number;
};

// Every line; or, as the door reader does, only those holding more than blanks, tabs and CRs.
EntryLines entry_lines_of(const std::string& text, bool skip_blank) {
    EntryLines lines;
    std::vector<std::string> all = raw_lines(text);
    for (size_t i = 0; i < all.size(); ++i) {
        if (skip_blank && all[i].find_first_not_of(" \t\r") == std::string::npos) continue;
        lines.text.push_back(all[i]);
        lines.number.push_back(i + 1);
    }
    return lines;
}

// Lines of an entry file past its limit, and lines longer than the readers keep.
void check_entry_lines(const EntryLines& lines, const std::string& file, size_t max_lines,
                       Findings& out) {
    if (lines.text.size() > max_lines)
        out.add(FindingKind::entry_cut, file,
                std::to_string(lines.text.size() - max_lines) + " line(s) past the " +
                    std::to_string(max_lines) + "th are not read");
    for (size_t i = 0; i < lines.text.size() && i < max_lines; ++i)
        if (lines.text[i].size() > entry_line_length)
            out.add(FindingKind::entry_cut, file,
                    "line " + std::to_string(lines.number[i]) + " is longer than " +
                        std::to_string(entry_line_length) + " characters: the rest is cut");
}

void check_doors(const std::string& folder_path, const std::string& name, const CheckedLayers& l,
                 Findings& out) {
    std::string text;
    if (!read_text(folder_path + "/portals.lvl", &text)) return;
    // A name too long for the level paths is reported once, for the whole folder.
    if (name.size() > max_level_name) return;
    // Blank lines are passed over by the game: each door comes from the next line with text.
    EntryLines lines = entry_lines_of(text, true);
    check_entry_lines(lines, "portals.lvl", max_doors, out);
    std::vector<Door> doors = parse_doors_text(text);
    for (size_t i = 0; i < doors.size() && i < lines.text.size(); ++i) {
        const Door& d = doors[i];
        std::vector<std::string> fields = raw_fields(lines.text[i], false);
        std::string line = "line " + std::to_string(lines.number[i]);
        for (size_t f = 1; f < fields.size() && f <= 3; ++f)
            if (fields[f].size() > entry_number_length)
                out.add(FindingKind::entry_cut, "portals.lvl", d.x, d.y,
                        line + ": " + in_quotes(fields[f]) + " is cut to its first " +
                            std::to_string(entry_number_length) + " characters");
        // What follows the closing ']' is written over the channel: a CR of a CR LF line end
        // changes a one-digit channel.
        if (fields.size() > 4 && !(fields.size() == 5 && fields[4].empty()))
            out.add(FindingKind::entry_cut, "portals.lvl", d.x, d.y,
                    line + ": what follows ']' (a CR LF line end?) is written over the channel");
        if (d.x < 0 || d.y < 0 || d.x + door_cells > l.width || d.y + door_cells > l.height)
            out.add(FindingKind::door_outside, "portals.lvl", d.x, d.y,
                    "the door of " + line + " reaches outside the level");
        bool partner = false;
        for (size_t j = 0; j < doors.size(); ++j)
            if (j != i && doors[j].channel == d.channel) partner = true;
        if (!partner)
            out.add(FindingKind::door_no_partner, "portals.lvl", d.x, d.y,
                    "the door of " + line + " (channel " + std::to_string(d.channel) +
                        ") has no partner: it leads back to itself");
        // The player comes out on the door's middle column, standing on its lowest row.
        for (int dy = 0; dy < player_height; ++dy) {
            if (!side_solid(l.play_at(d.y + dy, d.x + 1))) continue;
            out.add(FindingKind::door_arrival_blocked, "portals.lvl", d.x + 1, d.y + dy,
                    "arriving at the door of " + line + " puts the player inside a block");
            break;
        }
    }
}

void check_characters(const std::string& folder_path, const std::string& resources, Findings& out) {
    std::string text;
    if (!read_text(folder_path + "/caracters.lvl", &text)) return;
    EntryLines lines = entry_lines_of(text, false);
    check_entry_lines(lines, "caracters.lvl", max_characters, out);
    std::vector<Character> entries = parse_characters_text(text);
    for (size_t i = 0; i < entries.size() && i < lines.text.size(); ++i) {
        const Character& c = entries[i];
        if (c.disabled) continue;
        std::string line = "line " + std::to_string(lines.number[i]);
        std::vector<std::string> fields = raw_fields(lines.text[i], true);
        for (size_t f = 1; f < fields.size() && f <= 5; ++f)
            if (fields[f].size() > entry_number_length)
                out.add(FindingKind::entry_cut, "caracters.lvl", c.x, c.y,
                        line + ": " + in_quotes(fields[f]) + " is cut to its first " +
                            std::to_string(entry_number_length) + " characters");
        if (fields.size() > 6 && fields[6].size() > picture_path_length)
            out.add(FindingKind::entry_cut, "caracters.lvl", c.x, c.y,
                    line + ": the picture's path is longer than " +
                        std::to_string(picture_path_length) + " characters");
        std::string picture = resources + "/" + c.image_path;
        if (c.image_path.empty() || !loadable_texture(resources, c.image_path))
            out.add(FindingKind::picture_missing, "caracters.lvl", c.x, c.y,
                    line + ": no picture at " + picture);
        std::string said = fields.size() > 7 ? fields[7] : "";
        if (fields.size() > 9 || (fields.size() == 9 && !fields[8].empty()))
            out.add(FindingKind::entry_cut, "caracters.lvl", c.x, c.y,
                    line + ": what follows ']' is written over the text");
        if (said.size() > character_text_length)
            out.add(FindingKind::bubble_too_big, "caracters.lvl", c.x, c.y,
                    line + ": the text is longer than " + std::to_string(character_text_length) +
                        " characters and is cut");
        int bubble_lines_said = 1, longest = 0, current = 0;
        for (char ch : said) {
            if (ch == '&') {
                ++bubble_lines_said;
                current = 0;
            } else {
                longest = std::max(longest, ++current);
            }
        }
        if (bubble_lines_said > max_bubble_lines)
            out.add(FindingKind::bubble_too_big, "caracters.lvl", c.x, c.y,
                    line + ": " + std::to_string(bubble_lines_said) +
                        " lines of text, the bubble holds " + std::to_string(max_bubble_lines));
        if (longest > max_bubble_line_length)
            out.add(FindingKind::bubble_too_big, "caracters.lvl", c.x, c.y,
                    line + ": a line of " + std::to_string(longest) +
                        " characters, the bubble holds " + std::to_string(max_bubble_line_length) +
                        " (start a new line with &)");
    }
}

void json_string(std::string& out, const std::string& s) {
    out += '"';
    for (unsigned char c : s) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20) {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\u%04x", c);
            out += esc;
        } else {
            out += static_cast<char>(c);
        }
    }
    out += '"';
}
}  // namespace

char CheckedLayers::play_at(int row, int column) const {
    if (row < 0 || row >= height || column < 0 || column >= width) return cell::empty;
    return play[static_cast<size_t>(height - 1 - row) * width + column];
}

char CheckedLayers::decor_at(int row, int column) const {
    if (row < 0 || row >= height || column < 0 || column >= width) return cell::empty;
    return decor[static_cast<size_t>(height - 1 - row) * width + column];
}

LevelReport check_level(const std::string& folder_path, const std::string& resources) {
    LevelReport r;
    r.folder = folder_path;
    r.name = fs::path(folder_path).lexically_normal().filename().string();
    if (r.name.empty() || r.name == ".")
        r.name = fs::path(folder_path).lexically_normal().parent_path().filename().string();
    Findings out;
    for (const char* file : {"config.ini", "0.lvl", "1.lvl"}) {
        std::string path = folder_path + "/" + file;
        std::error_code ec;
        if (!fs::exists(path, ec))
            out.add(FindingKind::file_missing, file, std::string(file) + " is missing");
        else if (!plain_file(path))
            out.add(FindingKind::file_missing, file, std::string(file) + " is not a regular file");
    }
    if (r.name.size() > max_level_name)
        out.add(FindingKind::name_too_long, "",
                "the folder's name is longer than " + std::to_string(max_level_name) +
                    " characters: the game neither lists it nor reads its doors");
    std::string config = folder_path + "/config.ini";
    std::string config_text;
    if (read_text(config, &config_text)) {
        r.titre = read_value("titre", config);
        r.createur = read_value("createur", config);
        r.fond = read_value("fond", config);
        r.musique = read_value("musique", config);
        r.theme = read_value("theme", config);
        check_config_lines(config_text, out);
        check_theme(r.theme, resources, out);
        check_background(r.fond, resources, out);
        check_music(r.musique, resources, out);
    }
    if (read_layers(folder_path, r.layers, out)) {
        check_markers(r, out);
        check_codes(r.layers, out);
        check_rails(r.layers, out);
        check_doors(folder_path, r.name, r.layers, out);
    }
    check_characters(folder_path, resources, out);
    r.findings = out.done();
    return r;
}

const char* finding_kind_name(FindingKind kind) { return kind_names[static_cast<int>(kind)]; }

std::string report_verdict(const LevelReport& report) {
    size_t n = report.findings.size();
    if (n == 0) return "ready";
    return std::to_string(n) + (n == 1 ? " problem" : " problems");
}

std::string reports_json(const std::vector<LevelReport>& reports) {
    std::string out = "[";
    for (size_t i = 0; i < reports.size(); ++i) {
        const LevelReport& r = reports[i];
        out += i == 0 ? "\n  {\"level\": " : ",\n  {\"level\": ";
        json_string(out, r.folder);
        out += ", \"ready\": ";
        out += r.ready() ? "true" : "false";
        out += ", \"findings\": [";
        for (size_t j = 0; j < r.findings.size(); ++j) {
            const Finding& f = r.findings[j];
            out += j == 0 ? "\n    {\"kind\": " : ",\n    {\"kind\": ";
            json_string(out, finding_kind_name(f.kind));
            out += ", \"file\": ";
            json_string(out, f.file);
            if (f.has_cell())
                out += ", \"column\": " + std::to_string(f.column) +
                       ", \"row\": " + std::to_string(f.row);
            out += ", \"words\": ";
            json_string(out, f.words);
            out += "}";
        }
        out += r.findings.empty() ? "]}" : "\n  ]}";
    }
    out += reports.empty() ? "]\n" : "\n]\n";
    return out;
}

std::string report_text(const LevelReport& report) {
    std::string out = report.folder + ": " + report_verdict(report) + "\n";
    for (const Finding& f : report.findings) {
        out += "  ";
        if (!f.file.empty()) out += f.file + ": ";
        if (f.has_cell()) out += "(" + at_cell(f.column, f.row) + ") ";
        out += f.words + "\n";
    }
    return out;
}
