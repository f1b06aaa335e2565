// A small linear congruential generator with the runtime library's constants, so draws are the
// same on every platform for a given seed.
#include "app/random.h"

namespace {
std::uint32_t state = 1;
}

void random_seed(std::uint32_t seed) { state = seed; }

int random_between(int lo, int hi) {
    state = state * 1103515245u + 12345u;
    int next = static_cast<int>((state >> 16) & 0x7fff);
    return lo + next % (hi - lo + 1);
}
