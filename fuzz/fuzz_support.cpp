#include "fuzz_support.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "app/paths.h"

namespace fs = std::filesystem;

const std::string& scratch_dir() {
    static const std::string dir = [] {
        std::string base = fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path().string();
        std::string templ = base + "/mivo-fuzz-XXXXXX";
        if (!::mkdtemp(templ.data())) fuzz_fail("cannot make a scratch folder");
        fs::create_directories(templ + "/levels/" + fuzz_level);
        return templ;
    }();
    static const bool cleared_at_exit = [] {
        std::atexit([] {
            std::error_code ec;
            fs::remove_all(scratch_dir(), ec);
        });
        return true;
    }();
    (void)cleared_at_exit;
    return dir;
}

std::string scratch_level_dir() { return scratch_dir() + "/levels/" + fuzz_level; }

void use_scratch_folders() {
    GameFolders f;
    f.levels = scratch_dir() + "/levels";
    f.config = scratch_dir();
    use_folders(f);
}

void put_file(const std::string& path, std::string_view content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (!out) fuzz_fail("cannot write a scratch file");
}

void remove_file(const std::string& path) { ::unlink(path.c_str()); }

std::vector<std::string_view> split_input(const uint8_t* data, size_t size,
                                          std::string_view separator, size_t parts) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> out;
    while (out.size() + 1 < parts) {
        size_t at = rest.find(separator);
        if (at == std::string_view::npos) break;
        out.push_back(rest.substr(0, at));
        rest.remove_prefix(at + separator.size());
    }
    out.push_back(rest);
    return out;
}
