// The folder decision of the source folder and of an installed game, and the first start's copy
// of the shipped levels into the player's folder.
#include "app/paths.h"

#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace {
GameFolders folders;

// Where copies are put together before they are renamed into place: inside the levels folder,
// so the rename never crosses file systems. The leading dot keeps it out of the selection.
const std::string staging_name = ".seeding";

// An XDG folder variable, or the home's default below it when it is unset or not absolute.
fs::path xdg_or(const std::string& variable, const FolderClues& c, const char* below_home) {
    if (!variable.empty() && fs::path(variable).is_absolute()) return variable;
    // No home known at all: the player's folders go below the working folder rather than to
    // the file system's root.
    fs::path home = c.home.empty() ? fs::path(c.working) : fs::path(c.home);
    return home / below_home;
}

std::string getenv_or_empty(const char* name) {
    const char* v = std::getenv(name);
    return v ? v : "";
}

// The regular files at the top of a folder (links followed), in name order.
std::vector<fs::path> files_of(const fs::path& folder, bool* readable) {
    std::vector<fs::path> files;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    *readable = !ec;
    for (fs::directory_iterator end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (fs::is_regular_file(it->path(), type_ec)) files.push_back(it->path());
    }
    if (ec) *readable = false;
    std::sort(files.begin(), files.end());
    return files;
}

// Shipped levels already offered: level folder name → fingerprint of the version offered.
using SeededLevels = std::map<std::string, std::string>;

// FNV-1a, 64 bits: enough to tell two versions of a level apart.
struct Fnv {
    uint64_t h = 0xcbf29ce484222325ULL;
    void add(const char* p, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            h ^= static_cast<unsigned char>(p[i]);
            h *= 0x100000001b3ULL;
        }
    }
};

SeededLevels read_record(const std::string& path) {
    SeededLevels seeded;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        size_t space = line.find(' ');
        if (space == std::string::npos || space + 1 >= line.size()) continue;
        seeded[line.substr(space + 1)] = line.substr(0, space);
    }
    return seeded;
}

// Written beside itself and renamed over the old record, so it is whole or as it was.
bool write_record(const std::string& path, const SeededLevels& seeded) {
    std::string tmp = path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::trunc);
        for (const auto& [name, print] : seeded) out << print << ' ' << name << '\n';
        out.flush();
        if (!out) return false;
    }
    std::error_code ec;
    fs::rename(tmp, path, ec);
    if (ec) fs::remove(tmp, ec);
    return !ec;
}

// Copies the level's files into `levels`/`target` through the staging folder. The copies are
// the player's to change, whatever rights the installed files have.
bool copy_level(const fs::path& from, const fs::path& levels, const std::string& target) {
    fs::path staging = levels / staging_name;
    std::error_code ec;
    fs::remove_all(staging, ec);
    bool readable = false;
    std::vector<fs::path> files = files_of(from, &readable);
    bool ok = readable && fs::create_directory(staging, ec) && !ec;
    for (const fs::path& f : files) {
        if (!ok) break;
        fs::path to = staging / f.filename();
        ok = fs::copy_file(f, to, ec) && !ec;
        if (ok)
            fs::permissions(to, fs::perms::owner_read | fs::perms::owner_write,
                            fs::perm_options::add, ec);
    }
    if (ok) {
        fs::rename(staging, levels / target, ec);
        ok = !ec;
    }
    if (!ok) fs::remove_all(staging, ec);
    return ok;
}

// The fingerprints of every folder in `levels`, read once into `prints`.
const std::set<std::string>& players_prints(const std::string& levels,
                                            std::set<std::string>& prints) {
    if (!prints.empty()) return prints;
    prints.insert("");  // read, even when no folder is there
    std::error_code ec;
    for (fs::directory_iterator it(levels, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code type_ec;
        if (it->is_directory(type_ec)) prints.insert(level_fingerprint(it->path().string()));
    }
    return prints;
}

// "<name>-<version>", then "<name>-<version>-2" …, the name cut so the whole keeps within
// max_level_name.
std::string suffixed(const std::string& name, const std::string& version, int n) {
    std::string suffix = "-" + version + (n > 1 ? "-" + std::to_string(n) : "");
    size_t room = suffix.size() < max_level_name ? max_level_name - suffix.size() : 0;
    return name.substr(0, room) + suffix;
}
}  // namespace

GameFolders decide_folders(const FolderClues& clues) {
    std::error_code ec;
    fs::path working(clues.working);
    if (fs::is_directory(working / "levels", ec) && fs::is_directory(working / "ressources", ec))
        return GameFolders{};
    GameFolders f;
    f.installed = true;
    fs::path share = (fs::path(clues.program_dir) / ".." / "share" / "mivo").lexically_normal();
    f.resources = (share / "ressources").string();
    f.shipped_levels = (share / "levels").string();
    f.config = (xdg_or(clues.xdg_config_home, clues, ".config") / "mivo").string();
    f.data = (xdg_or(clues.xdg_data_home, clues, ".local/share") / "mivo").string();
    f.levels = (fs::path(f.data) / "levels").string();
    return f;
}

FolderClues clues_of_this_process() {
    FolderClues c;
    std::error_code ec;
    c.working = fs::current_path(ec).string();
    std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), SDL_free);
    if (base) c.program_dir = base.get();
    c.home = getenv_or_empty("HOME");
    if (c.home.empty()) {
        if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) c.home = pw->pw_dir;
    }
    c.xdg_config_home = getenv_or_empty("XDG_CONFIG_HOME");
    c.xdg_data_home = getenv_or_empty("XDG_DATA_HOME");
    return c;
}

void use_folders(const GameFolders& f) { folders = f; }

const GameFolders& game_folders() { return folders; }

void prepare_folders() {
    use_folders(decide_folders(clues_of_this_process()));
    if (!folders.installed) return;
    std::error_code ec;
    if (!fs::is_directory(folders.resources, ec))
        std::printf(
            "The game's data are missing from %s: start the game from its source "
            "folder, or install it (make install).\n",
            folders.resources.c_str());
    for (const std::string& dir : {folders.config, folders.levels}) {
        fs::create_directories(dir, ec);
        if (!fs::is_directory(dir, ec))
            std::printf("%s cannot be made: nothing can be saved there.\n", dir.c_str());
    }
    SeedReport r = seed_levels(folders.shipped_levels, folders.levels,
                               folders.data + "/" + seeded_record_file, MIVO_VERSION);
    if (!r.copied.empty())
        std::printf("%d levels copied into %s, yours to play, edit and save.\n",
                    static_cast<int>(r.copied.size()), folders.levels.c_str());
    for (const std::string& name : r.offered)
        std::printf("A new version of a level you have is in %s/%s; yours is kept as it was.\n",
                    folders.levels.c_str(), name.c_str());
    for (const std::string& name : r.failed)
        std::printf("The level %s could not be copied into %s: tried again at the next start.\n",
                    name.c_str(), folders.levels.c_str());
    std::fflush(stdout);
}

std::string resource_path(const std::string& relative) {
    return folders.resources + "/" + relative;
}

size_t source_resource_chars(const std::string& relative) {
    return GameFolders{}.resources.size() + 1 + relative.size();
}

std::string levels_dir() { return folders.levels; }

std::string level_folder(const std::string& level) { return folders.levels + "/" + level; }

std::string config_dir() { return folders.config.empty() ? "." : folders.config; }

std::string config_file(const std::string& name) {
    return folders.config.empty() ? name : folders.config + "/" + name;
}

std::string settings_path() { return config_file("settings.ini"); }

std::string level_fingerprint(const std::string& folder) {
    bool readable = false;
    std::vector<fs::path> files = files_of(folder, &readable);
    if (!readable) return "";
    Fnv fnv;
    for (const fs::path& f : files) {
        std::string name = f.filename().string();
        std::ifstream in(f, std::ios::binary);
        std::ostringstream content;
        content << in.rdbuf();
        if (!in && !in.eof()) return "";
        std::string text = content.str();
        std::string size = std::to_string(text.size());
        // The name, its length and the content's, so no two different folders read alike.
        for (const std::string& part : {name, std::string(1, '\0'), size, std::string(1, '\0')})
            fnv.add(part.data(), part.size());
        fnv.add(text.data(), text.size());
    }
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(fnv.h));
    return hex;
}

SeedReport seed_levels(const std::string& shipped, const std::string& levels,
                       const std::string& record_path, const std::string& version) {
    SeedReport report;
    SeededLevels seeded = read_record(record_path);
    std::error_code ec;
    fs::remove_all(fs::path(levels) / staging_name, ec);  // a copy a stop cut short
    std::vector<fs::path> shipped_levels;
    for (fs::directory_iterator it(shipped, ec), end; !ec && it != end; it.increment(ec)) {
        std::string name = it->path().filename().string();
        std::error_code type_ec;
        if (name.size() <= max_level_name && name[0] != '.' && it->is_directory(type_ec))
            shipped_levels.push_back(it->path());
    }
    std::sort(shipped_levels.begin(), shipped_levels.end());
    bool changed = false;
    std::set<std::string> prints;  // of the player's folders, read when first needed
    for (const fs::path& level : shipped_levels) {
        std::string name = level.filename().string();
        std::string print = level_fingerprint(level.string());
        if (print.empty()) {
            report.failed.push_back(name);
            continue;
        }
        auto known = seeded.find(name);
        if (known != seeded.end() && known->second == print) continue;  // offered already
        // The plain name when the player has no such folder (first start, a new level, or a
        // deleted one come back in a new version); else beside it, unless the player's folder
        // already holds this very version.
        std::string target;
        bool player_has_it = false;
        for (int n = 0; n < 100 && target.empty() && !player_has_it; ++n) {
            std::string candidate = n == 0 ? name : suffixed(name, version, n);
            if (!fs::exists(fs::symlink_status(fs::path(levels) / candidate, ec)))
                target = candidate;
            else if (n == 0)
                player_has_it = players_prints(levels, prints).count(print) > 0;
        }
        if (!player_has_it) {
            if (target.empty() || !copy_level(level, levels, target)) {
                report.failed.push_back(name);
                continue;
            }
            (target == name ? report.copied : report.offered).push_back(target);
        }
        seeded[name] = print;
        changed = true;
    }
    if (changed && !write_record(record_path, seeded))
        std::printf("%s cannot be written: the shipped levels will be looked at again.\n",
                    record_path.c_str());
    return report;
}
