// Benchmarks run headless like the tests: dummy video and audio, the software renderer, from the
// repository root so the levels and the generated resources are found. After them comes the frame
// budget table of every screen; "--frame_table_only" prints the table alone.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "frame_table.h"

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    if (frame_table_wanted(argc, argv)) {
        run_frame_table();
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    run_frame_table();
    return 0;
}
