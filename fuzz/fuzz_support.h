// What every fuzz target shares: a scratch folder of its own that the game takes as its levels
// and settings folder, files written into it, and a fuzz input cut into the files of a level.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

// The scratch folder, made once per process and removed when the run ends (a crashed run leaves
// it for the system's temporary files). In memory when /dev/shm is there, so that the saves'
// fsync costs nothing.
const std::string& scratch_dir();
// The folder of the one level the targets play with: scratch_dir() + "/levels/" + fuzz_level.
inline constexpr const char* fuzz_level = "lvl";
std::string scratch_level_dir();
// Makes the game read its levels from scratch_dir()/levels and its settings from scratch_dir().
void use_scratch_folders();

void put_file(const std::string& path, std::string_view content);
void remove_file(const std::string& path);

// Cuts the input at each occurrence of `separator` into at most `parts` pieces (the last one
// keeps any further separators). Missing pieces are absent, not empty.
std::vector<std::string_view> split_input(const uint8_t* data, size_t size,
                                          std::string_view separator, size_t parts);

// Stops the run with a message, as a sanitizer would, so that libFuzzer keeps the input.
[[noreturn]] inline void fuzz_fail(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::fflush(stderr);
    std::abort();
}
#define FUZZ_CHECK(cond) \
    do {                 \
        if (!(cond)) fuzz_fail(#cond); \
    } while (0)
