// Level folders: names, new levels, duplicates, renames, the trash.
#include "session/level_folders.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>

#include "app/kv_reader.h"
#include "app/paths.h"
#include "session/level_files.h"
#include "session/world.h"
#include "world/level_select.h"

namespace fs = std::filesystem;

std::string trash_dir() { return levels_dir() + "/.trash"; }
std::string author_file() { return config_file("auteur.ini"); }

namespace {
constexpr size_t config_line_keeps = 40;  // what the key=value reader keeps of a line
constexpr int floor_depth = 3;            // rows of ground under a new level
constexpr int start_column = 3;
constexpr int exit_from_right = 14;  // the exit's portal is 10 cells wide, with room to spare

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

bool allowed(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '-';
}

std::string level_dir(const std::string& name) { return level_folder(name); }

bool exists(const std::string& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

// The grid size is a global of the running level: borrowed to write a new level's layers.
struct GridSizeKept {
    int width = grid_width, height = grid_height;
    ~GridSizeKept() {
        grid_width = width;
        grid_height = height;
    }
};

bool write_text(const std::string& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    out.close();
    return !out.fail();
}

std::vector<std::string> entries(const std::string& path, bool folders, const std::string& ext) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        bool is_folder = it->is_directory(type_ec);
        std::string name = it->path().filename().string();
        if (folders ? is_folder : (!is_folder && it->path().extension() == ext))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}
}  // namespace

size_t longest_level_name() { return max_level_name; }

NameProblem level_name_problem(const std::string& name, const std::string& renaming) {
    if (name.empty()) return NameProblem::empty;
    if (name.size() > longest_level_name()) return NameProblem::too_long;
    for (char c : name)
        if (!allowed(c)) return NameProblem::bad_character;
    if (lower(name) == "server") return NameProblem::reserved;
    std::error_code ec;
    for (fs::directory_iterator it(levels_dir(), ec), end; !ec && it != end; it.increment(ec)) {
        std::string other = it->path().filename().string();
        if (other != renaming && lower(other) == lower(name)) return NameProblem::taken;
    }
    return NameProblem::none;
}

std::string name_problem_words(NameProblem problem) {
    switch (problem) {
        case NameProblem::none:
            return "";
        case NameProblem::empty:
            return "type a name";
        case NameProblem::too_long:
            return "at most " + std::to_string(longest_level_name()) + " characters";
        case NameProblem::bad_character:
            return "only letters, digits, _ and -";
        case NameProblem::reserved:
            return "\"Server\" is kept for the game";
        case NameProblem::taken:
            return "taken by another level";
    }
    return "";
}

std::vector<std::string> level_folders() {
    std::vector<std::string> names;
    for (const std::string& name : entries(levels_dir(), true, ""))
        if (name[0] != '.' && name != "Server") names.push_back(name);
    return names;
}

std::vector<TrashedLevel> trashed_levels() {
    static const std::regex stamped(R"((.+)-(\d{4})(\d{2})(\d{2})-(\d{2})(\d{2})(\d{2})(-\d+)?)");
    std::vector<TrashedLevel> list;
    for (const std::string& folder : entries(trash_dir(), true, "")) {
        if (folder[0] == '.') continue;
        std::smatch m;
        TrashedLevel t{folder, folder, ""};
        if (std::regex_match(folder, m, stamped)) {
            t.name = m[1];
            t.when = m[2].str() + "-" + m[3].str() + "-" + m[4].str() + " " + m[5].str() + ":" +
                     m[6].str() + ":" + m[7].str();
        }
        list.push_back(t);
    }
    std::stable_sort(list.begin(), list.end(),
                     [](const TrashedLevel& a, const TrashedLevel& b) { return a.when > b.when; });
    return list;
}

bool duplicate_level(const std::string& from, const std::string& to, std::string* problem) {
    NameProblem p = level_name_problem(to);
    if (p != NameProblem::none) {
        *problem = to + ": " + name_problem_words(p);
        return false;
    }
    std::error_code ec;
    fs::copy(level_dir(from), level_dir(to),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove_all(level_dir(to), ignored);  // the half copy: the name was free before
        *problem = "could not copy " + from + " (" + ec.message() + ")";
        return false;
    }
    return true;
}

bool rename_level(const std::string& from, const std::string& to, std::string* problem) {
    NameProblem p = level_name_problem(to, from);
    if (p != NameProblem::none) {
        *problem = to + ": " + name_problem_words(p);
        return false;
    }
    if (from == to) return true;
    std::error_code ec;
    fs::rename(level_dir(from), level_dir(to), ec);
    if (ec) *problem = "could not rename " + from + " (" + ec.message() + ")";
    return !ec;
}

bool trash_level(const std::string& name, std::time_t now, std::string* problem) {
    if (name.empty() || name[0] == '.' || !exists(level_dir(name))) {
        *problem = "no level " + name;
        return false;
    }
    char stamp[32];
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    std::string folder = name + "-" + stamp;
    for (int n = 2; exists(trash_dir() + "/" + folder); ++n)
        folder = name + "-" + stamp + "-" + std::to_string(n);
    std::error_code ec;
    fs::create_directories(trash_dir(), ec);
    fs::rename(level_dir(name), trash_dir() + "/" + folder, ec);
    if (ec) *problem = "could not delete " + name + " (" + ec.message() + ")";
    return !ec;
}

bool restore_level(const std::string& trashed_folder, std::string* restored_as,
                   std::string* problem) {
    std::string old_name = trashed_folder;
    for (const TrashedLevel& t : trashed_levels())
        if (t.folder == trashed_folder) old_name = t.name;
    std::string name = old_name;
    for (int n = 2; level_name_problem(name) == NameProblem::taken; ++n) {
        std::string suffix = std::to_string(n);
        suffix.insert(suffix.begin(), '_');
        name = old_name.substr(0, longest_level_name() - suffix.size());
        name += suffix;
    }
    std::error_code ec;
    fs::rename(trash_dir() + "/" + trashed_folder, level_dir(name), ec);
    if (ec) {
        *problem = "could not restore " + old_name + " (" + ec.message() + ")";
        return false;
    }
    *restored_as = name;
    return true;
}

const std::vector<LevelSize>& level_sizes() {
    static const std::vector<LevelSize> sizes{
        {"small room", 40, 24},  {"long room", 120, 24},
        {"valley", 200, 40},     {"big world", 400, 60},
        {"huge world", 700, 80}, {"the largest", max_grid_width, max_grid_height},
    };
    return sizes;
}

std::string config_value_problem(const std::string& key, const std::string& value) {
    if (value.find_first_of(";\r\n") != std::string::npos) return "no ; and no line end";
    size_t room = config_line_keeps - key.size() - 1;
    if (value.size() > room) return "at most " + std::to_string(room) + " characters";
    return "";
}

bool create_level(const NewLevel& level, std::string* problem) {
    NameProblem p = level_name_problem(level.name);
    if (p != NameProblem::none) {
        *problem = level.name + ": " + name_problem_words(p);
        return false;
    }
    const std::pair<const char*, const std::string*> keys[] = {{"titre", &level.titre},
                                                               {"createur", &level.createur},
                                                               {"fond", &level.fond},
                                                               {"musique", &level.musique},
                                                               {"theme", &level.theme}};
    std::string config;
    for (const auto& [key, value] : keys) {
        std::string wrong = config_value_problem(key, *value);
        if (!wrong.empty()) {
            *problem = std::string(key) + ": " + wrong;
            return false;
        }
        config += std::string(key) + "=" + *value + "\n";
    }
    int w = std::clamp(level.width, exit_from_right + start_column + 2, max_grid_width);
    int h = std::clamp(level.height, floor_depth + 4, max_grid_height);
    std::string play_text, decor_text;
    {
        GridSizeKept kept;
        grid_width = w;
        grid_height = h;
        Grid play(static_cast<size_t>(w) * h, cell::empty), decor = play;
        for (int column = 0; column < w; ++column)
            for (int row = 0; row < floor_depth; ++row)
                grid_set(row, column, play, row == floor_depth - 1 ? 'c' : 'g');
        grid_set(floor_depth, start_column, decor, cell::start_marker);
        // In the ground's top row, as the portal stands on the ground: walking along the
        // ground brings the player within the exit's reach.
        grid_set(floor_depth - 1, w - exit_from_right, decor, cell::exit_marker);
        play_text = grid_to_text(play);
        decor_text = grid_to_text(decor);
    }
    std::string dir = level_dir(level.name);
    std::error_code ec;
    if (!fs::create_directories(dir, ec) || ec) {
        *problem = "could not make " + dir;
        return false;
    }
    bool written = write_text(dir + "/config.ini", config) &&
                   write_text(dir + "/0.lvl", play_text) && write_text(dir + "/1.lvl", decor_text);
    if (!written) {
        fs::remove_all(dir, ec);  // made just now: nothing of the author's is in it
        *problem = "could not write " + dir;
    }
    return written;
}

std::vector<std::string> theme_names(const std::string& resources) {
    std::vector<std::string> themes;
    for (const std::string& f : entries(resources + "/textures", true, ""))
        if (f.rfind("theme_", 0) == 0 && f.size() > 6) themes.push_back(f.substr(6));
    return themes;
}

std::vector<std::string> background_names(const std::string& resources) {
    std::string base = resources + "/textures/backgrounds";
    std::vector<std::string> names;
    for (const std::string& f : entries(base, true, ""))
        if (f.size() == 1) names.push_back(f);
    for (const std::string& f : entries(base, false, ".png")) names.push_back(f);
    return names;
}

std::vector<std::string> music_names(const std::string& resources) {
    return entries(resources + "/sounds/musics", false, ".ogg");
}

std::string read_author() { return read_value("createur", author_file()); }

bool write_author(const std::string& name) {
    if (!config_value_problem("createur", name).empty()) return false;
    return write_text(author_file(), "createur=" + name + "\n");
}
