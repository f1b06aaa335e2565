// Reading, applying and writing the settings record.
#include "app/settings.h"

#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <utility>

#include "app/audio.h"
#include "app/draw.h"
#include "app/file_checks.h"
#include "app/kv_reader.h"
#include "app/paths.h"

Settings settings;

namespace {
namespace fs = std::filesystem;
constexpr size_t value_chars = 27;  // longer values are cut before they are read
constexpr int max_link_hops = 40;   // as many symbolic links as the system itself follows

// The text's leading whole number as atoi reads it (blanks, a sign, digits, the rest ignored;
// no digits give 0), except that a number too long for an int stops at the int's limits.
int leading_int(const std::string& text) {
    long v = std::strtol(text.c_str(), nullptr, 10);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

void read_setting(const char* key, int& field) {
    std::string value = read_value(key, settings_path()).substr(0, value_chars);
    if (!value.empty()) field = leading_int(value);
}

// Where the settings are really kept: "settings.ini", or the file its symbolic links lead to (a
// player may keep it elsewhere and link it here). Empty when the links go round in circles.
fs::path settings_target() {
    fs::path target = settings_path();
    for (int hops = 0; hops < max_link_hops; ++hops) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(target, ec))) return target;
        fs::path link = fs::read_symlink(target, ec);
        if (ec) return {};
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
    return {};
}

// A player pins the settings by taking away the file's write permission. Root may open any file
// for writing, so the permission bits count as well as the opening. Only a plain file is ever
// replaced: a folder, a pipe or a device named "settings.ini" is left alone.
bool open_to_writing(const fs::path& target, const struct stat& st) {
    if (!S_ISREG(st.st_mode) || (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    int fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    ::close(fd);
    return true;
}

// The new file goes to the old one's owner and group where the system allows it (as root); the
// rest of the time it is ours, like any file we write.
void give_to_owner(int fd, const struct stat& old) {
    if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return;
    int refused = ::fchown(fd, old.st_uid, old.st_gid);
    (void)refused;
}

bool write_all(int fd, const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// The eight lines, always in this order.
std::string settings_text() {
    std::string text;
    for (auto [key, value] : {std::pair{"mode", settings.mode},
                              {"resx", settings.resx},
                              {"resy", settings.resy},
                              {"lissage", settings.lissage},
                              {"volume_general", settings.volume_general},
                              {"volume_musique", settings.volume_musique},
                              {"volume_effets", settings.volume_effets},
                              {"volume_menus", settings.volume_menus}})
        text += std::string(key) + "=" + std::to_string(value) + "\n";
    return text;
}

// A stored volume is kept as the file gives it; it is heard within 0 … 100 %.
double volume_fraction(int percent) { return std::clamp(percent, 0, 100) / 100.0; }

int size_index_of(int w, int h) {
    for (size_t i = 0; i < window_sizes.size(); ++i)
        if (window_sizes[i].w == w && window_sizes[i].h == h) return static_cast<int>(i);
    return size_custom;
}
}  // namespace

std::string window_size_label(int index) {
    if (index < 0 || index >= static_cast<int>(window_sizes.size())) return "Custom";
    return std::to_string(window_sizes[index].w) + " x " + std::to_string(window_sizes[index].h);
}

void settings_load() {
    Settings s;
    s.resx = window_width;
    s.resy = window_height;
    if (!regular_file(settings_path())) {  // none yet, or something else in its place: defaults
        settings = s;
        return;
    }
    read_setting("mode", s.mode);
    read_setting("resx", s.resx);
    read_setting("resy", s.resy);
    read_setting("lissage", s.lissage);
    read_setting("volume_general", s.volume_general);
    read_setting("volume_musique", s.volume_musique);
    read_setting("volume_effets", s.volume_effets);
    read_setting("volume_menus", s.volume_menus);
    settings = s;
}

void settings_apply_volumes() {
    double general = volume_fraction(settings.volume_general);
    apply_effect_volumes(general, volume_fraction(settings.volume_menus),
                         volume_fraction(settings.volume_effets));
    apply_music_volume(general * volume_fraction(settings.volume_musique));
}

WindowMode window_mode(int mode) {
    switch (mode) {
        case mode_fullscreen:
            return {true, SDL_WINDOW_FULLSCREEN};
        case mode_fullscreen_desktop:
            return {true, SDL_WINDOW_FULLSCREEN_DESKTOP};
        case mode_borderless:
            return {false, 0};
        default:
            return {true, 0};
    }
}

void settings_apply_smoothing() {
    SDL_SetHint("SDL_RENDER_SCALE_QUALITY", std::to_string(settings.lissage).c_str());
}

void settings_apply() {
    settings_apply_volumes();
    WindowMode shown = window_mode(settings.mode);
    SDL_SetWindowBordered(game_window, shown.bordered ? SDL_TRUE : SDL_FALSE);
    SDL_SetWindowFullscreen(game_window, shown.fullscreen);
    SDL_SetWindowSize(game_window, settings.resx, settings.resy);
    settings_apply_smoothing();
    SDL_SetWindowPosition(game_window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
}

SettingsForm settings_to_menu() {
    SettingsForm form;
    form.display[display_mode] = settings.mode;
    form.display[display_size] = size_index_of(window_width, window_height);
    form.display[display_quality] = settings.lissage;
    form.volumes[sound_general] = settings.volume_general / volume_step_percent;
    form.volumes[sound_music] = settings.volume_musique / volume_step_percent;
    form.volumes[sound_effects] = settings.volume_effets / volume_step_percent;
    form.volumes[sound_menus] = settings.volume_menus / volume_step_percent;
    return form;
}

bool settings_from_menu_and_save(const SettingsForm& form) {
    settings.volume_general = form.volumes[sound_general] * volume_step_percent;
    settings.volume_musique = form.volumes[sound_music] * volume_step_percent;
    settings.volume_effets = form.volumes[sound_effects] * volume_step_percent;
    settings.volume_menus = form.volumes[sound_menus] * volume_step_percent;
    settings.mode = form.display[display_mode];
    int size = form.display[display_size];
    if (size < 0 || size >= static_cast<int>(window_sizes.size())) {
        settings.resx = window_width;
        settings.resy = window_height;
    } else {
        settings.resx = window_sizes[size].w;
        settings.resy = window_sizes[size].h;
    }
    settings.lissage = form.display[display_quality];
    return settings_save();
}

bool settings_save() {
    fs::path target = settings_target();
    if (target.empty()) return false;
    struct stat old {};
    bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return false;
    if (exists && !open_to_writing(target, old)) return false;
    std::string temp = target.string() + ".tmp";
    ::unlink(temp.c_str());  // left behind by a save that was cut short
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool written = write_all(fd, settings_text());
    if (exists) {
        written = written && ::fchmod(fd, old.st_mode & 07777) == 0;
        give_to_owner(fd, old);
    }
    // On disk before it takes the old file's place, so that a crash leaves one or the other.
    written = written && ::fsync(fd) == 0;
    written = ::close(fd) == 0 && written;
    if (written && ::rename(temp.c_str(), target.c_str()) == 0) return true;
    ::unlink(temp.c_str());
    return false;
}

bool window_is_fullscreen() {
    return (SDL_GetWindowFlags(game_window) & SDL_WINDOW_FULLSCREEN) != 0;
}
