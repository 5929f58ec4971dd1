// What a raced ghost adds to a frame of simulation: each shipped level's proof
// run is played headless twice over, alone and with a ghost of itself, the two
// alternating, and the median microseconds per frame of each are printed.
//   ghost_bench SETTINGS ASSET_SETTINGS_FOLDER [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sim/ghost/GhostRace.h"
#include "sim/replay/FrameCursor.h"
#include "sim/run/HeadlessRun.h"
#include "sim/replay/ReplayPlayback.h"

namespace {

// Wall-clock microseconds per frame of one whole play of `replay`.
double playOnce(const Replay& replay, const std::string& settings, const std::string& level, bool ghost)
{
    HeadlessRun run(settings, level, replay.header.settings);
    // Moved after each frame as the run flow moves it.
    std::unique_ptr<GhostRace> race;
    if (ghost) race = std::make_unique<GhostRace>(replay, settings, level);
    const auto start = std::chrono::steady_clock::now();
    for (FrameCursor frames(replay.frames); !frames.atEnd() && !run.closed();) {
        const ReplayFrame frame = frames.next();
        run.exactFrame(keysOf(frame.keys), frame.deltaTime);
        if (race) race->afterFrame(run.session());
    }
    const double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count();
    return us / run.frames();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: ghost_bench SETTINGS ASSET_SETTINGS_FOLDER [ROUNDS]\n");
        return 2;
    }
    const std::string settings = argv[1], folder = argv[2];
    const int rounds = argc > 3 ? std::stoi(argv[3]) : 9;
    std::printf("level  frames  alone us/frame  with ghost us/frame  added\n");
    for (int n = 0; n < 5; ++n) {
        const std::string level = folder + "/level" + std::to_string(n) + ".ini";
        const ReplayParse proof = loadReplay(folder + "/level" + std::to_string(n) + ".replay");
        if (!proof.replay) continue;
        std::vector<double> alone, ghosted;
        for (int r = 0; r < rounds; ++r) {
            alone.push_back(playOnce(*proof.replay, settings, level, false));
            ghosted.push_back(playOnce(*proof.replay, settings, level, true));
        }
        const double a = median(alone), g = median(ghosted);
        std::printf("%5d  %6zu  %14.1f  %19.1f  %+5.1f\n", n, proof.replay->frames.size(), a, g, g - a);
    }
    return 0;
}
