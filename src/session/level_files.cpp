// Reader and writer of the grid files, and the level description.
#include "session/level_files.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string_view>

#include "app/assets.h"
#include "app/file_checks.h"
#include "app/kv_reader.h"
#include "app/paths.h"
#include "app/replace_files.h"

namespace {
constexpr size_t max_count_digits = 6;

// Expands one row of text (without its line end) into at most max_grid_width cells; `cut` tells
// whether the row held more.
std::string expand_row(const std::string& line, bool* cut) {
    std::string row;
    size_t i = 0;
    *cut = false;
    while (i < line.size()) {
        if (row.size() >= static_cast<size_t>(max_grid_width)) {
            *cut = true;
            break;
        }
        if (line[i] != '[') {
            // The cells up to the next run token go in at once.
            size_t token = std::min(line.find('[', i), line.size());
            size_t room = max_grid_width - row.size();
            row.append(line, i, std::min(token - i, room));
            i += std::min(token - i, room);
            continue;
        }
        if (i + 1 >= line.size()) break;  // a '[' with no cell character: nothing
        char cell = line[i + 1];
        size_t close = line.find(']', i + 2);
        size_t digits_end = close == std::string::npos ? line.size() : close;
        std::string count_text =
            line.substr(i + 2, std::min(digits_end - (i + 2), max_count_digits));
        int count = std::atoi(count_text.c_str());
        if (count > 0) {
            size_t room = max_grid_width - row.size();
            if (static_cast<size_t>(count) > room) *cut = true;
            row.append(std::min(static_cast<size_t>(count), room), cell);
        }
        i = close == std::string::npos ? line.size() : close + 1;
    }
    return row;
}

// Splits text into rows: a row ends at its first '\r' or '\n', a line at '\n'.
std::vector<std::string> split_rows(const std::string& text, GridCuts* cuts) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (rows.size() >= static_cast<size_t>(max_grid_height)) {
            cuts->rows += 1;
        } else {
            size_t stop = end == std::string::npos ? text.size() : end;
            std::string line = text.substr(start, stop - start);
            size_t cr = line.find('\r');
            if (cr != std::string::npos) line.resize(cr);
            bool cut = false;
            rows.push_back(expand_row(line, &cut));
            if (cut) cuts->long_rows += 1;
        }
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return rows;
}

// Names what a level file lost to the size limits, so the author knows before saving over it.
void report_cuts(const std::string& path, const GridCuts& cuts) {
    if (cuts.long_rows > 0)
        std::printf("%s: %d row(s) longer than %d cells were cut to %d.\n", path.c_str(),
                    cuts.long_rows, max_grid_width, max_grid_width);
    if (cuts.rows > 0)
        std::printf("%s: %d line(s) past the %dth were left out.\n", path.c_str(), cuts.rows,
                    max_grid_height);
    if (cuts.rows_outside > 0)
        std::printf("%s: %d row(s) below the play layer's %d were left out.\n", path.c_str(),
                    cuts.rows_outside, grid_height);
    if (cuts.wide_rows > 0)
        std::printf("%s: %d row(s) wider than the play layer's %d cells were cut to it.\n",
                    path.c_str(), cuts.wide_rows, grid_width);
    if (cuts.any())
        std::printf("%s: saving this level now would drop what was cut.\n", path.c_str());
}
}  // namespace

std::string level_path(const std::string& level, const std::string& file) {
    return level_folder(level) + "/" + file;
}

void read_level_info(LevelInfo& info, const std::string& level) {
    std::string config = level_path(level, "config.ini");
    info = LevelInfo{};
    info.name = level;
    if (!level_name_fits(level, "config.ini") || !regular_file(config)) return;
    info.titre = read_value("titre", config);
    info.createur = read_value("createur", config);
    info.fond = read_value("fond", config);
    info.musique = read_value("musique", config);
    info.theme = read_value("theme", config);
    // The background, the track and the theme are looked for below ressources/ only.
    for (auto [key, value] : {std::pair{"fond", &info.fond}, std::pair{"musique", &info.musique},
                              std::pair{"theme", &info.theme}}) {
        if (!inside_resources(*value, config + " (" + key + ")")) value->clear();
    }
    // The music worker would wait for ever on a named pipe, and quitting with it.
    if (!info.musique.empty() &&
        file_state(resource_path("sounds/musics/" + info.musique)) == FileState::refused)
        info.musique.clear();
}

Grid parse_grid_text(const std::string& text, bool sets_size, GridCuts* cuts) {
    GridCuts ignored;
    std::vector<std::string> rows = split_rows(text, cuts ? cuts : &ignored);
    if (sets_size) {
        grid_width = 0;
        for (const std::string& r : rows)
            grid_width = std::max(grid_width, static_cast<int>(r.size()));
        grid_height = static_cast<int>(rows.size());
    }
    Grid layer(static_cast<size_t>(grid_width) * grid_height, ' ');
    GridCuts* counted = cuts ? cuts : &ignored;
    auto holds_something = [](const std::string& row, size_t from) {
        for (size_t c = from; c < row.size(); ++c)
            if (row[c] != ' ' && row[c] != '\0') return true;
        return false;
    };
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        if (r >= grid_height) {
            if (holds_something(rows[r], 0)) counted->rows_outside += 1;
        } else if (holds_something(rows[r], static_cast<size_t>(grid_width))) {
            counted->wide_rows += 1;
        }
    }
    for (int r = 0; r < grid_height && r < static_cast<int>(rows.size()); ++r) {
        const std::string& row = rows[r];
        const size_t n = std::min(row.size(), static_cast<size_t>(grid_width));
        if (n == 0) continue;
        char* cells = layer.data() + static_cast<size_t>(r) * grid_width;
        std::memcpy(cells, row.data(), n);
        // A zero byte would be an unset cell: it reads as empty.
        for (char* z = static_cast<char*>(std::memchr(cells, '\0', n)); z;
             z = static_cast<char*>(std::memchr(z + 1, '\0', n - (z + 1 - cells))))
            *z = ' ';
    }
    return layer;
}

std::string grid_to_text(const Grid& layer) {
    if (!layer_fits_grid(layer)) return "";
    std::string out;
    out.reserve(layer.size() + grid_height);
    for (int r = 0; r < grid_height; ++r) {
        const char* row = layer.data() + static_cast<size_t>(r) * grid_width;
        int c = 0;
        while (c < grid_width) {
            if (row[c] == '[') {
                // A bare '[' would start a run token: '[' cells are always written as one.
                int n = 1;
                while (c + n < grid_width && row[c + n] == '[') ++n;
                out += "[[" + std::to_string(n) + "]";
                c += n;
                continue;
            }
            // The run never reaches the row's last cell, which is always written on its own.
            int i = 0;
            // A long run is measured a block at a time, then cell by cell.
            while (c + i + 64 <= grid_width - 2 &&
                   std::memcmp(row + c + i, row + c + i + 1, 64) == 0)
                i += 64;
            while (c + i < grid_width - 2 && row[c + i] == row[c + i + 1]) ++i;
            if (i >= 3) {
                out += '[';
                out += row[c];
                out += std::to_string(i + 1);
                out += ']';
                c += i + 1;
            } else {
                out += row[c];
                c += 1;
            }
        }
        out += '\n';
    }
    return out;
}

std::optional<Grid> read_grid_file(const std::string& file, const std::string& level,
                                   bool sets_size, bool* cut) {
    std::string path = level_path(level, file);
    std::string text;
    if (!level_name_fits(level, file) || !read_whole_file(path, &text)) return std::nullopt;
    GridCuts cuts;
    Grid layer = parse_grid_text(text, sets_size, &cuts);
    report_cuts(path, cuts);
    if (cut) *cut = *cut || cuts.any();
    return layer;
}

bool layer_fits_grid(const Grid& layer) {
    return grid_width > 0 && grid_height > 0 &&
           layer.size() == static_cast<size_t>(grid_width) * grid_height;
}

bool write_grid_file(const Grid& layer, const std::string& file, const std::string& level) {
    return write_grid_files({{&layer, file}}, level);
}

bool write_grid_files(const std::vector<LayerFile>& layers, const std::string& level,
                      std::string* problem) {
    std::vector<NewFile> files;
    for (const LayerFile& l : layers) {
        if (!layer_fits_grid(*l.layer)) return false;
        files.push_back({l.file, grid_to_text(*l.layer)});
    }
    std::string cause;
    ReplaceResult result = replace_files(level_folder(level), files, &cause);
    if (problem && result != ReplaceResult::replaced) {
        std::string names;
        for (const LayerFile& l : layers)
            names += (names.empty() ? "" : " and ") + level_path(level, l.file);
        *problem = "could not save " + names + " (" + cause + ")" +
                   (result == ReplaceResult::mixed ? ": the files on disk do not match"
                                                   : "; the level on disk is unchanged");
    }
    return result == ReplaceResult::replaced;
}

void find_markers(const Grid& decor, World& world) {
    if (grid_width <= 0 || grid_height <= 0) return;
    // Of several markers of a kind, the last one in the layer's order (the top row first, each
    // row left to right) counts, unless a solid decor block stands on it. Most cells hold neither
    // marker, so each code is looked for alone, which keeps loading a 999 × 100 level quick.
    const std::string_view cells(
        decor.data(), std::min(decor.size(), static_cast<size_t>(grid_width) * grid_height));
    for (char code : {cell::start_marker, cell::exit_marker}) {
        for (size_t i = cells.find(code); i != std::string_view::npos;
             i = cells.find(code, i + 1)) {
            int c = static_cast<int>(i % grid_width);
            int row = grid_height - 1 - static_cast<int>(i / grid_width);  // from the lowest
            if (side_solid(grid_get(row + 1, c, decor))) continue;
            (code == cell::start_marker ? world.start_x : world.exit_x) = c;
            (code == cell::start_marker ? world.start_y : world.exit_y) = row;
        }
    }
}

bool load_level(World& world, const std::string& level, std::string* said) {
    std::string finished = finish_interrupted_replace(level_folder(level), {"0.lvl", "1.lvl"});
    if (!finished.empty()) std::printf("%s\n", finished.c_str());
    int old_width = grid_width, old_height = grid_height;
    bool cut = false;
    std::optional<Grid> play = read_grid_file("0.lvl", level, true, &cut);
    std::string problem;
    if (!play) {
        problem = level_path(level, "0.lvl") + " cannot be read";
    } else if (grid_width == 0 || grid_height == 0) {
        problem = level_path(level, "0.lvl") + " holds no cells";
    }
    std::optional<Grid> decor;
    if (problem.empty()) {
        decor = read_grid_file("1.lvl", level, false, &cut);
        if (!decor) problem = level_path(level, "1.lvl") + " cannot be read";
    }
    if (!problem.empty()) {
        std::printf("%s.\n", problem.c_str());
        if (said) *said = problem;
        std::fflush(stdout);
        grid_width = old_width;
        grid_height = old_height;
        return false;
    }
    world.play_grid = std::move(*play);
    world.authored_play = world.play_grid;
    world.decor_grid = std::move(*decor);
    world.layers_read = true;
    world.read_cut = cut;
    find_markers(world.decor_grid, world);
    return true;
}

bool save_level(World& world, const std::string& level, std::string* said) {
    std::string line;
    bool ok = false;
    // Layers that were never read from the level would replace it with emptiness.
    if (!world.layers_read || !layer_fits_grid(world.authored_play) ||
        !layer_fits_grid(world.decor_grid)) {
        line = "nothing to save yet: the level is not loaded";
    } else if (world.read_cut) {
        world.read_cut = false;
        line = "not saved: reading cut part of " + level_path(level, "") +
               " (see the terminal); U again saves without it";
    } else {
        find_markers(world.decor_grid, world);
        std::string problem;
        ok = write_grid_files({{&world.authored_play, "0.lvl"}, {&world.decor_grid, "1.lvl"}},
                              level, &problem);
        line = ok ? "saved" : problem;
    }
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (said) *said = line;
    return ok;
}

// Characters and doors.
#include "levelend/doors.h"
#include "world/characters.h"

namespace {
constexpr size_t max_entry_line = 999;  // characters of a line of caracters.lvl or portals.lvl
constexpr size_t number_field_length = 4;
constexpr size_t image_path_length = 39;
constexpr size_t text_length = 499;

bool is_separator(char ch) { return ch == '[' || ch == '|' || ch == ']'; }

// Writes the field's character at pos: a field visited again is written over from its start.
void put(std::string& field, size_t pos, char ch) {
    if (pos < field.size()) {
        field[pos] = ch;
    } else {
        field += ch;
    }
}

// True for a line of nothing but blanks, tabs and carriage returns.
bool blank_line(const std::string& line) {
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

// The lines of an entry file without their LF, at most max_lines, each cut to max_entry_line
// characters: the rest of a longer line is dropped rather than read as a line of its own. With
// skip_blank, blank lines are passed over and do not count.
std::vector<std::string> entry_lines(std::istream& in, size_t max_lines, bool skip_blank) {
    std::vector<std::string> lines;
    std::string line;
    bool open = false;
    auto end_line = [&] {
        if (!skip_blank || !blank_line(line)) lines.push_back(line);
        line.clear();
        open = false;
    };
    char ch;
    while (lines.size() < max_lines && in.get(ch)) {
        if (ch == '\n') {
            end_line();
        } else {
            open = true;
            if (line.size() < max_entry_line) line += ch;
        }
    }
    if (open && lines.size() < max_lines) end_line();
    return lines;
}

// The entry file's lines; none when it is missing or not a regular file (a named pipe would
// never end).
std::vector<std::string> entry_file_lines(const std::string& path, size_t max_lines,
                                          bool skip_blank) {
    if (!regular_file(path)) return {};
    std::ifstream in(path, std::ios::binary);
    return entry_lines(in, max_lines, skip_blank);
}

Character parse_character_line(const std::string& line) {
    Character c;
    c.disabled = !line.empty() && line[0] == '\\';
    std::string numbers[5];  // x, y, w, h, motion
    int field = 0;
    size_t pos = 0;
    for (char ch : line) {
        if (ch == '\r' || ch == '\n' || ch == '\0') break;
        if (is_separator(ch)) {
            ++field;
            pos = 0;
            continue;
        }
        if (field == 0) continue;
        std::string* target = &c.text;  // the seventh field and any after it
        size_t limit = text_length;
        if (field <= 5) {
            target = &numbers[field - 1];
            limit = number_field_length;
        } else if (field == 6) {
            target = &c.image_path;
            limit = image_path_length;
        }
        if (pos < limit) put(*target, pos++, ch);
    }
    c.x = std::atoi(numbers[0].c_str());
    c.y = std::atoi(numbers[1].c_str());
    c.w = std::atoi(numbers[2].c_str());
    c.h = std::atoi(numbers[3].c_str());
    c.motion = std::atoi(numbers[4].c_str());
    return c;
}

Door parse_door_line(const std::string& line) {
    Door d;
    d.hidden = !line.empty() && line[0] == '\\';
    std::string fields[3];  // x, y, channel
    int field = 0;
    size_t pos = 0;
    for (char ch : line) {
        if (ch == '\n' || ch == '\0') break;
        if (is_separator(ch)) {
            ++field;
            pos = 0;
            continue;
        }
        if (field == 0) continue;
        if (pos < number_field_length) put(fields[std::min(field, 3) - 1], pos++, ch);
    }
    d.x = std::atoi(fields[0].c_str());
    d.y = std::atoi(fields[1].c_str());
    d.channel = static_cast<std::uint8_t>(std::atoi(fields[2].c_str()));
    d.label = fields[2];
    return d;
}

std::vector<Character> characters_from(const std::vector<std::string>& lines) {
    std::vector<Character> entries;
    for (const std::string& line : lines) entries.push_back(parse_character_line(line));
    return entries;
}

std::vector<Door> doors_from(const std::vector<std::string>& lines) {
    std::vector<Door> doors;
    for (const std::string& line : lines) doors.push_back(parse_door_line(line));
    return doors;
}
}  // namespace

std::vector<Character> parse_characters_text(const std::string& text) {
    std::istringstream in(text);
    return characters_from(entry_lines(in, max_characters, false));
}

std::vector<Character> read_characters_file(const std::string& level) {
    if (!level_name_fits(level, "caracters.lvl")) return {};
    return characters_from(
        entry_file_lines(level_path(level, "caracters.lvl"), max_characters, false));
}

std::vector<Door> parse_doors_text(const std::string& text) {
    std::istringstream in(text);
    return doors_from(entry_lines(in, max_doors, true));
}

std::vector<Door> read_doors_file(const std::string& level) {
    if (!level_name_fits(level, "portals.lvl")) return {};
    return doors_from(entry_file_lines(level_path(level, "portals.lvl"), max_doors, true));
}

bool level_name_fits(const std::string& level, const std::string& file) {
    if (level.size() <= max_level_name) return true;
    std::printf("%s not read: a level's folder name has at most %d characters.\n",
                level_path(level, file).c_str(), static_cast<int>(max_level_name));
    std::fflush(stdout);
    return false;
}
