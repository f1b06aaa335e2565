// Generates the whole resource tree into the folder given as argument (default "ressources").
// Art runs on the main thread (it uses SDL_ttf, which is not thread-safe), sound and music on a
// second thread. `--only NAME` regenerates one family (tiles, interface, backgrounds, sounds,
// music, fonts, icons) for quick iteration.
#include <SDL.h>
#include <SDL_image.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "art/raster.h"
#include "assetgen.h"

int main(int argc, char** argv) {
    std::string root = "ressources";
    std::string only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc) {
            only = argv[++i];
        } else {
            root = argv[i];
        }
    }
    auto wanted = [&](const char* name) { return only.empty() || only == name; };
    auto start = std::chrono::steady_clock::now();

    SDL_Init(0);
    IMG_Init(IMG_INIT_PNG);
    text_init();

    bool audio_ok = true;
    std::thread audio([&] {
        if (wanted("sounds")) audio_ok = generate_sounds(root) && audio_ok;
        if (wanted("music")) audio_ok = generate_music(root) && audio_ok;
    });
    bool ok = true;
    if (wanted("fonts")) ok = copy_fonts(root) && ok;
    if (wanted("tiles")) ok = generate_tiles(root) && ok;
    if (wanted("interface")) ok = generate_interface(root) && ok;
    if (wanted("backgrounds")) ok = generate_backgrounds(root) && ok;
    if (wanted("icons")) ok = generate_icons(root) && ok;
    audio.join();
    ok = ok && audio_ok;

    text_quit();
    IMG_Quit();
    SDL_Quit();
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("assetgen: %s in %.1f s -> %s\n", ok ? "done" : "FAILED", secs, root.c_str());
    return ok ? 0 : 1;
}
