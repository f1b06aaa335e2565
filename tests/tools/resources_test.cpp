// The generated resource tree: every file the game names exists and loads with the library
// that will read it, and the backgrounds stay within their memory budget.
#include <SDL_image.h>
#include <SDL_mixer.h>
#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/sdl_handles.h"
#include "support/harness.h"

namespace {
const std::vector<std::string> themes = {"base", "neige", "nuit"};
const std::vector<std::string> layered_backgrounds = {"1", "2", "3", "4", "5"};
const std::vector<std::string> level_tracks = {"prairie.ogg", "neige.ogg", "nuit.ogg"};

std::string res(const std::string& relative) { return source_dir() + "/ressources/" + relative; }

std::vector<std::string> required_images() {
    std::vector<std::string> files = {"ide/splashScreen.png",
                                      "ide/splashScreen2.png",
                                      "ide/mivo.png",
                                      "ide/bgg.png",
                                      "ide/cloud.png",
                                      "ide/cloud2.png",
                                      "ide/cloud3.png",
                                      "ide/ctr.png",
                                      "ide/mouse.png",
                                      "ide/setts.png",
                                      "ide/bubble.png",
                                      "ide/button.png",
                                      "ide/back.png",
                                      "ide/dock.png",
                                      "ide/select.png",
                                      "ide/px.png",
                                      "ide/circle.png",
                                      "ide/h2.png",
                                      "ide/load.png",
                                      "ide/icon.png",
                                      "textures/erb.png",
                                      "textures/erd.png",
                                      "textures/theme_base/door/center.png",
                                      "textures/theme_base/door/center2.png",
                                      "textures/theme_base/door/base.png",
                                      "textures/theme_base/enemy/2/1.png",
                                      "players/skin_j1/1.png",
                                      "players/skin_j1/2.png",
                                      "players/skin_j1/3.png",
                                      "pnj/sage.png",
                                      "pnj/robot.png",
                                      "pnj/fee.png"};
    for (int i = 1; i <= 6; ++i) files.push_back("ide/" + std::to_string(i) + ".png");
    for (int i = 0; i < 3; ++i)
        files.push_back("textures/theme_base/portail/" + std::to_string(i) + ".png");
    for (const std::string& t : themes) {
        std::string dir = "textures/theme_" + t + "/";
        for (char c = 'a'; c <= 's'; ++c) files.push_back(dir + "blocs/" + c + ".png");
        for (char c = 'A'; c <= 'L'; ++c) files.push_back(dir + "decor/" + c + ".png");
        for (char c = 'a'; c <= 'h'; ++c) files.push_back(dir + "objets/" + c + ".png");
        files.push_back(dir + "rail/0.png");
        files.push_back(dir + "rail/1.png");
        for (int e = 0; e < 2; ++e)
            for (int f = 1; f <= 2; ++f)
                files.push_back(dir + "enemy/" + std::to_string(e) + "/" + std::to_string(f) +
                                ".png");
    }
    for (const std::string& b : layered_backgrounds)
        for (int i = 0; i <= 4; ++i)
            files.push_back("textures/backgrounds/" + b + "/" + std::to_string(i) + ".png");
    files.push_back("textures/backgrounds/vallee.png");
    return files;
}

struct Libraries {
    Libraries() {
        SDL_Init(SDL_INIT_AUDIO);
        IMG_Init(IMG_INIT_PNG);
        TTF_Init();
        Mix_Init(MIX_INIT_OGG);
        Mix_OpenAudio(44100, AUDIO_S16LSB, 2, 1024);
    }
    ~Libraries() {
        Mix_CloseAudio();
        Mix_Quit();
        TTF_Quit();
        IMG_Quit();
        SDL_Quit();
    }
};
}  // namespace

TEST(Resources, EveryImageLoads) {
    Libraries libs;
    for (const std::string& f : required_images()) {
        SurfacePtr s(IMG_Load(res(f).c_str()));
        EXPECT_NE(s, nullptr) << f;
    }
}

TEST(Resources, BackgroundSetsFitTheirMemoryBudget) {
    Libraries libs;
    for (const std::string& b : layered_backgrounds) {
        long bytes = 0;
        for (int i = 0; i <= 4; ++i) {
            SurfacePtr s(IMG_Load(
                res("textures/backgrounds/" + b + "/" + std::to_string(i) + ".png").c_str()));
            ASSERT_NE(s, nullptr);
            EXPECT_LE(s->w, 2048);
            EXPECT_LE(s->h, 1024);
            bytes += 4L * s->w * s->h;
        }
        EXPECT_LT(bytes, 40L << 20) << b;
    }
    SurfacePtr panorama(IMG_Load(res("textures/backgrounds/vallee.png").c_str()));
    ASSERT_NE(panorama, nullptr);
    EXPECT_GT(panorama->w, 1920);
    EXPECT_LE(panorama->w, 20 * 1920);
    // Slices of 1920 pixels, the last one padded.
    long slices = (panorama->w + 1919) / 1920;
    EXPECT_LT(slices * 1920L * panorama->h * 4, 40L << 20);
}

TEST(Resources, EverySoundMusicAndFontLoads) {
    Libraries libs;
    for (const char* name : {"click", "swipe", "end", "coin", "jump", "step", "step2", "itemBloc",
                             "breakBloc", "hard", "rem", "over", "dash", "cut", "put"}) {
        ChunkPtr chunk(Mix_LoadWAV(res(std::string("sounds/sounds/") + name + ".wav").c_str()));
        EXPECT_NE(chunk, nullptr) << name;
    }
    std::vector<std::string> tracks = level_tracks;
    tracks.push_back("vesk.ogg");
    for (const std::string& t : tracks) {
        MusicPtr music(Mix_LoadMUS(res("sounds/musics/" + t).c_str()));
        ASSERT_NE(music, nullptr) << t;
        EXPECT_GE(Mix_MusicDuration(music.get()), 120.0) << t;  // two minutes before it comes round
    }
    for (const char* font : {"fonts/intensa.ttf", "fonts/calibri.ttf"}) {
        FontPtr f(TTF_OpenFont(res(font).c_str(), 20));
        EXPECT_NE(f, nullptr) << font;
    }
}
