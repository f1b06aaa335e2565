// The checks made before reading a file written by people.
#include "app/file_checks.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
const char* kind_of(fs::file_type type) {
    switch (type) {
        case fs::file_type::directory:
            return "a folder";
        case fs::file_type::fifo:
            return "a named pipe";
        case fs::file_type::character:
        case fs::file_type::block:
            return "a device";
        case fs::file_type::socket:
            return "a socket";
        default:
            return "not a regular file";
    }
}
}  // namespace

FileState file_state(const std::string& path) {
    std::error_code ec;
    fs::file_type type = fs::status(path, ec).type();
    if (type == fs::file_type::regular) return FileState::regular;
    // Nothing there, or a folder on the way that cannot be searched: as good as missing.
    if (type == fs::file_type::not_found || type == fs::file_type::none) return FileState::missing;
    std::printf("%s is %s, not a file: not read.\n", path.c_str(), kind_of(type));
    std::fflush(stdout);
    return FileState::refused;
}

bool inside_resources(const std::string& relative, const std::string& named_in) {
    fs::path p(relative);
    bool inside = !p.has_root_path();
    for (const fs::path& step : p) inside = inside && step != "..";
    if (!inside) {
        std::printf("%s: \"%s\" leads outside ressources/: not read.\n", named_in.c_str(),
                    relative.c_str());
        std::fflush(stdout);
    }
    return inside;
}

bool read_whole_file(const std::string& path, std::string* text) {
    return regular_file(path) && read_checked_file(path, text);
}

bool read_checked_file(const std::string& path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream ss;
    ss << in.rdbuf();
    *text = ss.str();
    return !in.bad();
}
