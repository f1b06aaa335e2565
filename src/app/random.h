// The game's one random generator: item blocks' contents, the menus' clouds. Seeded once at
// start-up from the clock; a test or a replay seeds it to get the same draws on every run.
#pragma once
#include <cstdint>

void random_seed(std::uint32_t seed);
// A whole number from lo to hi, both included: lo + next mod (hi − lo + 1).
int random_between(int lo, int hi);
