// "portals.lvl": the input is the level's door file. Read from the level folder and from the text
// it gives the same doors, never more than the format's 50, each channel label within its field.
#include <cstddef>
#include <cstdint>

#include "fuzz_support.h"
#include "levelend/doors.h"
#include "session/level_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    use_scratch_folders();
    std::string text(reinterpret_cast<const char*>(data), size);
    put_file(scratch_level_dir() + "/portals.lvl", text);
    std::vector<Door> read = read_doors_file(fuzz_level);
    std::vector<Door> parsed = parse_doors_text(text);
    FUZZ_CHECK(read.size() == parsed.size());
    FUZZ_CHECK(read.size() <= static_cast<size_t>(max_doors));
    for (size_t i = 0; i < read.size(); ++i) {
        const Door& a = read[i];
        const Door& b = parsed[i];
        FUZZ_CHECK(a.x == b.x && a.y == b.y && a.channel == b.channel && a.label == b.label &&
                   a.hidden == b.hidden);
        FUZZ_CHECK(a.label.size() <= 4);
        FUZZ_CHECK(a.x > -1000 && a.x < 10000 && a.y > -1000 && a.y < 10000);
    }
    return 0;
}
