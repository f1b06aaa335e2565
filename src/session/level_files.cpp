// Reader and writer of the grid files, and the level description.
#include "session/level_files.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/kv_reader.h"

namespace {
constexpr size_t max_count_digits = 6;

// Expands one row of text (without its line end) into at most max_grid_width cells.
std::string expand_row(const std::string& line) {
    std::string row;
    size_t i = 0;
    while (i < line.size() && row.size() < static_cast<size_t>(max_grid_width)) {
        if (line[i] != '[') {
            row += line[i++];
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
            row.append(std::min(static_cast<size_t>(count), room), cell);
        }
        i = close == std::string::npos ? line.size() : close + 1;
    }
    return row;
}

// Splits text into rows: a row ends at its first '\r' or '\n', a line at '\n'.
std::vector<std::string> split_rows(const std::string& text) {
    std::vector<std::string> rows;
    size_t start = 0;
    while (start < text.size() && rows.size() < static_cast<size_t>(max_grid_height)) {
        size_t end = text.find('\n', start);
        size_t stop = end == std::string::npos ? text.size() : end;
        std::string line = text.substr(start, stop - start);
        size_t cr = line.find('\r');
        if (cr != std::string::npos) line.resize(cr);
        rows.push_back(expand_row(line));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return rows;
}

bool read_whole_file(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    *text = ss.str();
    return !in.bad();
}
}  // namespace

std::string level_path(const std::string& level, const std::string& file) {
    return "levels/" + level + "/" + file;
}

void read_level_info(LevelInfo& info, const std::string& level) {
    std::string config = level_path(level, "config.ini");
    info = LevelInfo{};
    info.name = level;
    info.titre = read_value("titre", config);
    info.createur = read_value("createur", config);
    info.fond = read_value("fond", config);
    info.musique = read_value("musique", config);
    info.theme = read_value("theme", config);
}

Grid parse_grid_text(const std::string& text, bool sets_size) {
    std::vector<std::string> rows = split_rows(text);
    if (sets_size) {
        grid_width = 0;
        for (const std::string& r : rows)
            grid_width = std::max(grid_width, static_cast<int>(r.size()));
        grid_height = static_cast<int>(rows.size());
    }
    Grid layer(static_cast<size_t>(grid_width) * grid_height, ' ');
    for (int r = 0; r < grid_height && r < static_cast<int>(rows.size()); ++r) {
        const std::string& row = rows[r];
        for (int c = 0; c < grid_width && c < static_cast<int>(row.size()); ++c) {
            // A zero byte would be an unset cell: it reads as empty.
            layer[static_cast<size_t>(r) * grid_width + c] = row[c] == '\0' ? ' ' : row[c];
        }
    }
    return layer;
}

std::string grid_to_text(const Grid& layer) {
    std::string out;
    out.reserve(layer.size() + grid_height);
    for (int r = 0; r < grid_height; ++r) {
        const char* row = layer.data() + static_cast<size_t>(r) * grid_width;
        int c = 0;
        while (c < grid_width) {
            // The run never reaches the row's last cell, which is always written on its own.
            int i = 0;
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
                                   bool sets_size) {
    std::string text;
    if (!read_whole_file(level_path(level, file), &text)) return std::nullopt;
    return parse_grid_text(text, sets_size);
}

bool write_grid_file(const Grid& layer, const std::string& file, const std::string& level) {
    std::string path = level_path(level, file);
    std::string temp = path + ".tmp";
    std::FILE* f = std::fopen(temp.c_str(), "w");
    if (!f) return false;
    std::string text = grid_to_text(layer);
    bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    ok = std::fclose(f) == 0 && ok;
    if (ok) ok = std::rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(temp.c_str());
    return ok;
}

void find_markers(const Grid& decor, World& world) {
    for (int r = 0; r < grid_height; ++r) {
        for (int c = 0; c < grid_width; ++c) {
            int row = grid_height - r - 1;  // rows counted from the lowest
            char cell = grid_get(row, c, decor);
            if (cell != 'A' && cell != 'B') continue;
            if (side_solid(grid_get(row + 1, c, decor))) continue;
            if (cell == 'A') {
                world.start_x = c;
                world.start_y = row;
            } else {
                world.exit_x = c;
                world.exit_y = row;
            }
        }
    }
}

bool load_level(World& world, const std::string& level) {
    int old_width = grid_width, old_height = grid_height;
    std::optional<Grid> play = read_grid_file("0.lvl", level, true);
    std::optional<Grid> decor = play ? read_grid_file("1.lvl", level, false) : std::nullopt;
    if (!play || !decor) {
        grid_width = old_width;
        grid_height = old_height;
        return false;
    }
    world.play_grid = std::move(*play);
    world.decor_grid = std::move(*decor);
    find_markers(world.decor_grid, world);
    return true;
}

bool save_level(World& world, const std::string& level) {
    find_markers(world.decor_grid, world);
    bool play_ok = write_grid_file(world.play_grid, "0.lvl", level);
    bool decor_ok = write_grid_file(world.decor_grid, "1.lvl", level);
    if (play_ok && decor_ok) {
        std::printf("saved\n");
    } else {
        std::printf("could not save %s\n", level_path(level, play_ok    ? "1.lvl"
                                                             : decor_ok ? "0.lvl"
                                                                        : "0.lvl and 1.lvl")
                                               .c_str());
    }
    std::fflush(stdout);
    return play_ok && decor_ok;
}
