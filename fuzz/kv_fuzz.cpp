// The key=value reader: the input is a level's "config.ini", read key by key and as the level's
// description. A value never holds a line end, a comment or an '=', and never outgrows the piece
// of line the reader keeps.
#include <cstddef>
#include <cstdint>

#include "app/kv_reader.h"
#include "fuzz_support.h"
#include "session/level_files.h"

namespace {
void check_value(const std::string& value) {
    FUZZ_CHECK(value.size() <= 40);
    FUZZ_CHECK(value.find_first_of("\n\r;=") == std::string::npos);
}

bool takes_parent_step(const std::string& path) {
    size_t start = 0;
    for (;;) {
        size_t end = path.find('/', start);
        if (path.substr(start, end == std::string::npos ? end : end - start) == "..") return true;
        if (end == std::string::npos) return false;
        start = end + 1;
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    use_scratch_folders();
    const std::string path = scratch_level_dir() + "/config.ini";
    put_file(path, std::string_view(reinterpret_cast<const char*>(data), size));
    for (const char* key : {"titre", "createur", "fond", "musique", "theme", "mode", "volume_menus",
                            "", "=", "abc"})
        check_value(read_value(key, path));

    LevelInfo info;
    read_level_info(info, fuzz_level);
    FUZZ_CHECK(info.name == fuzz_level);
    for (const std::string* v : {&info.titre, &info.createur, &info.fond, &info.musique, &info.theme})
        check_value(*v);
    // What leads outside the resource tree is never kept.
    for (const std::string* v : {&info.fond, &info.musique, &info.theme}) {
        FUZZ_CHECK(v->empty() || (*v)[0] != '/');
        FUZZ_CHECK(!takes_parent_step(*v));
    }
    return 0;
}
