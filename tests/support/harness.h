// Headless test harness: a real window and software renderer on the dummy video driver, pixel
// reading, solid test textures, temporary folders, and a working-folder sandbox holding its own
// levels/ beside the generated resource tree.
#pragma once
#include <SDL.h>

#include <string>

#include "app/sdl_handles.h"

// Opens the libraries, a window of w × h and its renderer, and switches to the virtual clock.
// Closes everything again when it goes out of scope.
struct TestDisplay {
    explicit TestDisplay(int w = 1000, int h = 600);
    ~TestDisplay();
    TestDisplay(const TestDisplay&) = delete;
    TestDisplay& operator=(const TestDisplay&) = delete;
};

// Rectangles compared in one line (gtest): EXPECT_RECT(find_colour(red), 0, 575, 25, 25).
bool same_rect(SDL_Rect a, SDL_Rect b);
#define EXPECT_RECT(actual, x, y, w, h) EXPECT_TRUE(same_rect(actual, SDL_Rect{x, y, w, h}))

// A moment of silence that plays like any sound, so a test can tell whether a rule
// played it. Needs the audio device open (TestDisplay or init_libraries).
ChunkPtr silent_chunk();
// True when some sound is playing; stops them all, so the next check starts afresh.
bool sound_played();
// Pushes the key-down of a key into SDL's queue, as a press reaches the game.
void push_key(SDL_Keycode key);

// Music workers load their track in real time, which the virtual clock's instant waits do not
// allow for: waits (up to 10 s) until they are done, so that quitting closes the mixer.
void let_music_workers_finish();

// The colour of one pixel of the renderer's current frame.
SDL_Color read_pixel(int x, int y);
// The bounding box of pixels of exactly this colour (w = 0 when there is none).
SDL_Rect find_colour(SDL_Color c);
// The bounding box of pixels that are not black (w = 0 when there is none).
SDL_Rect find_lit();
// The bounding box of pixels of this colour, or of any other colour with `other_than`.
SDL_Rect find_pixels(SDL_Color c, bool other_than);
// Clears the renderer to opaque black.
void clear_black();
// A texture of w × h pixels of one opaque colour.
TexturePtr solid_texture(int w, int h, SDL_Color c);

// A fresh temporary folder, removed with everything in it at the end of the test.
struct TempDir {
    std::string path;
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

// Runs the test inside a temporary working folder with "levels/" and a link to the repository's
// "ressources/", as the game finds them; the previous working folder comes back afterwards.
struct Sandbox {
    TempDir dir;
    std::string previous;
    Sandbox();
    ~Sandbox();
};

void write_file(const std::string& path, const std::string& content);  // creates folders
std::string read_file(const std::string& path);                        // "" when missing
bool file_exists(const std::string& path);
// The repository's root (where ressources/ and levels/ live).
std::string source_dir();
