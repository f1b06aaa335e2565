// "caracters.lvl": the input is the level's character file. Read from the level folder and from
// the text it gives the same characters, never more than the format's 50, each field within the
// length the format holds.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "session/level_files.h"
#include "world/characters.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    use_scratch_folders();
    std::string text(reinterpret_cast<const char*>(data), size);
    put_file(scratch_level_dir() + "/caracters.lvl", text);
    std::vector<Character> read = read_characters_file(fuzz_level);
    std::vector<Character> parsed = parse_characters_text(text);
    FUZZ_CHECK(read.size() == parsed.size());
    FUZZ_CHECK(read.size() <= static_cast<size_t>(max_characters));
    for (size_t i = 0; i < read.size(); ++i) {
        const Character& a = read[i];
        const Character& b = parsed[i];
        FUZZ_CHECK(a.disabled == b.disabled && a.x == b.x && a.y == b.y && a.w == b.w &&
                   a.h == b.h && a.motion == b.motion && a.image_path == b.image_path &&
                   a.text == b.text);
        FUZZ_CHECK(a.image_path.size() <= 39);
        FUZZ_CHECK(a.text.size() <= 499);
        for (int n : {a.x, a.y, a.w, a.h, a.motion}) FUZZ_CHECK(n > -1000 && n < 10000);
    }
    return 0;
}
