// mivo-check LEVEL_FOLDER...: checks level folders as the game would read them and prints what
// is wrong with each, in words (or, with --json, as JSON for tools). The exit status is 0 only
// when every level is ready, 1 when some level has problems, 2 when it was called wrongly.
#include <cstdio>
#include <string>
#include <vector>

#include "app/paths.h"
#include "check/level_check.h"

int main(int argc, char** argv) {
    bool json = false;
    std::vector<std::string> folders;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--json") {
            json = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            std::printf("mivo-check: unknown option %s\n", arg.c_str());
            return 2;
        } else {
            folders.push_back(arg);
        }
    }
    if (folders.empty()) {
        std::printf(
            "usage: mivo-check [--json] LEVEL_FOLDER...\n"
            "Pictures, tiles and music are looked for as the game finds them: in ressources/ "
            "of the working folder, or else in the installed game's data.\n");
        return 2;
    }
    use_folders(decide_folders(clues_of_this_process()));
    std::vector<LevelReport> reports;
    bool all_ready = true;
    for (const std::string& f : folders) {
        reports.push_back(check_level(f, game_folders().resources));
        all_ready = all_ready && reports.back().ready();
        if (!json) std::fputs(report_text(reports.back()).c_str(), stdout);
    }
    if (json) std::fputs(reports_json(reports).c_str(), stdout);
    return all_ready ? 0 : 1;
}
