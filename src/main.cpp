// The program entry, reached through SDL's entry-point arrangement.
#include <SDL.h>

#include "app/main_flow.h"

int main(int, char**) { return run_game(); }
