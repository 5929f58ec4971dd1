// Simulation cost per frame without a window: plays a level headless for a
// number of frames (Space on the first, so the physics steps from then on)
// and prints the mean wall-clock microseconds per frame. docs/performance.md
// uses it to compare a level of 1,000 platforms with a shipped one.
//   headless_bench SETTINGS LEVEL [FRAMES] [cold]
// With "cold", 64 MiB are written between frames and only the frames are
// timed: in the game the renderer runs between two frames of simulation and
// leaves the caches holding its own data, which this imitates.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "sim/run/HeadlessRun.h"

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: headless_bench SETTINGS LEVEL [FRAMES] [cold]\n");
        return 2;
    }
    const int frames = argc > 3 ? std::stoi(argv[3]) : 3000;
    const bool cold = argc > 4 && std::string(argv[4]) == "cold";
    std::vector<char> sweep(cold ? 64u << 20 : 0u);
    HeadlessRun run(argv[1], argv[2]);
    run.frame({Key::Space});
    double us = 0.0;
    for (int i = 0; i < frames && !run.closed(); ++i) {
        if (cold) std::memset(sweep.data(), i, sweep.size());
        const auto start = std::chrono::steady_clock::now();
        run.frame({});
        us += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    }
    std::printf("%s: %d frames, %.2f us per frame%s\n", argv[2], run.frames() - 1, us / (run.frames() - 1),
                cold ? " (cold caches)" : "");
    return 0;
}
