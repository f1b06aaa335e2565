// The level checker over a whole level folder: the input holds "config.ini", "0.lvl", "1.lvl",
// "portals.lvl" and "caracters.lvl" in that order, each cut from the next by "\n#--\n" (a file
// the input does not reach is missing). The report, its text and its JSON are made for every
// folder, and never hold more findings of a kind than the checker promises.
#include <cstddef>
#include <cstdint>
#include <map>

#include "check/level_check.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    use_scratch_folders();
    static const char* const files[] = {"config.ini", "0.lvl", "1.lvl", "portals.lvl",
                                        "caracters.lvl"};
    std::vector<std::string_view> parts = split_input(data, size, "\n#--\n", std::size(files));
    const std::string dir = scratch_level_dir();
    for (size_t i = 0; i < std::size(files); ++i) {
        if (i < parts.size()) {
            put_file(dir + "/" + files[i], parts[i]);
        } else {
            remove_file(dir + "/" + files[i]);
        }
    }
    LevelReport report = check_level(dir, "ressources");
    std::map<FindingKind, int> kinds;
    for (const Finding& f : report.findings) {
        FUZZ_CHECK(++kinds[f.kind] <= max_findings_of_a_kind + 1);
        FUZZ_CHECK(!f.words.empty());
        FUZZ_CHECK(finding_kind_name(f.kind) != nullptr);
    }
    const CheckedLayers& layers = report.layers;
    FUZZ_CHECK(layers.play.size() == static_cast<size_t>(layers.width) * layers.height);
    FUZZ_CHECK(layers.decor.size() == layers.play.size());
    for (int row = -1; row <= layers.height; ++row) {
        for (int column : {-1, 0, layers.width - 1, layers.width}) {
            (void)layers.play_at(row, column);
            (void)layers.decor_at(row, column);
        }
    }
    FUZZ_CHECK(!report_verdict(report).empty());
    FUZZ_CHECK(!report_text(report).empty());
    std::string json = reports_json({report});
    FUZZ_CHECK(json.size() >= 2 && json.front() == '[' && json.back() != ',');
    return 0;
}
