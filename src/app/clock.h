// The one clock of the game: every timer, blink and sleep goes through it. Tests switch it to a
// virtual clock in which sleeping advances time at once, so no test waits for real seconds.
#pragma once

// Whole milliseconds since the program started (or since the virtual clock was switched on).
int now_ms();
// Sleeps for the given milliseconds (advances the virtual clock instead when it is on).
void sleep_ms(int ms);

// Switches the virtual clock on (starting at `start_ms`) or off. Thread-safe.
void clock_use_virtual(bool on, int start_ms = 0);
// Moves the virtual clock forward without sleeping (for tests that step time themselves).
void clock_advance(int ms);
