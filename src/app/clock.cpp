// Monotonic millisecond clock with a virtual mode for tests.
#include "app/clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace {
const auto program_start = std::chrono::steady_clock::now();
std::atomic<bool> virtual_on{false};
std::atomic<int> virtual_now{0};
}  // namespace

int now_ms() {
    if (virtual_on.load()) return virtual_now.load();
    auto elapsed = std::chrono::steady_clock::now() - program_start;
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void sleep_ms(int ms) {
    if (ms <= 0) return;
    if (virtual_on.load()) {
        virtual_now.fetch_add(ms);
        // Lets other threads that poll the clock make progress, as a real sleep would.
        std::this_thread::yield();
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void clock_use_virtual(bool on, int start_ms) {
    virtual_now.store(start_ms);
    virtual_on.store(on);
}

void clock_advance(int ms) { virtual_now.fetch_add(ms); }
