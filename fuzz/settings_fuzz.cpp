// "settings.ini": the input is the file as a player may have edited it. It is loaded, saved and
// loaded again, and the second reading gives the same eight values as the first.
#include <cstddef>
#include <cstdint>

#include "app/paths.h"
#include "app/settings.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    use_scratch_folders();
    put_file(settings_path(), std::string_view(reinterpret_cast<const char*>(data), size));
    settings_load();
    const Settings first = settings;
    FUZZ_CHECK(settings_save());
    settings = Settings{};
    settings_load();
    const Settings& second = settings;
    FUZZ_CHECK(second.mode == first.mode);
    FUZZ_CHECK(second.resx == first.resx && second.resy == first.resy);
    FUZZ_CHECK(second.lissage == first.lissage);
    FUZZ_CHECK(second.volume_general == first.volume_general);
    FUZZ_CHECK(second.volume_musique == first.volume_musique);
    FUZZ_CHECK(second.volume_effets == first.volume_effets);
    FUZZ_CHECK(second.volume_menus == first.volume_menus);
    return 0;
}
