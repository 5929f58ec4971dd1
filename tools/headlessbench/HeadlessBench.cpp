// Simulation cost per frame without a window: plays a level headless for a
// number of frames (Space on the first, so the physics steps from then on)
// and prints the mean wall-clock microseconds per frame. docs/performance.md
// uses it to compare a level of 1,000 platforms with a shipped one.
//   headless_bench SETTINGS LEVEL [FRAMES]
#include <chrono>
#include <cstdio>
#include <string>

#include "sim/replay/HeadlessRun.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: headless_bench SETTINGS LEVEL [FRAMES]\n");
        return 2;
    }
    const int frames = argc > 3 ? std::stoi(argv[3]) : 3000;
    HeadlessRun run(argv[1], argv[2]);
    run.frame({Key::Space});
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < frames && !run.closed(); ++i) run.frame({});
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    std::printf("%s: %d frames, %.2f us per frame\n", argv[2], run.frames() - 1, us / (run.frames() - 1));
    return 0;
}
