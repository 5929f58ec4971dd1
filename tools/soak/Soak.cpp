// Soak run: scripted play without a window for a given number of frames
// (default a million), watching the process's resident memory. Each game plays
// a shipped level's recorded win script (walking, jumps, the power-up where
// the route takes it, the win) and then, in every other game, idles until the
// void catches the character; every ended game is followed by a fresh one, as
// a restart builds the session anew. Prints the resident size as it goes and,
// at the end, its growth after the first minute and after the first tenth of
// the frames.
//
//   soak [frames] [repository root]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "sim/run/HeadlessRun.h"
#include "sim/run/KeyScript.h"

namespace {

long residentKiB()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace

int main(int argc, char** argv)
{
    const long total = argc > 1 ? std::stol(argv[1]) : 1000000;
    const std::string root = argc > 2 ? argv[2] : ".";
    KeyScript scripts[5];
    for (int n = 0; n < 5; ++n) {
        const KeyScriptResult loaded = loadKeyScript(root + "/tests/data/levels/level" + std::to_string(n) + ".keys");
        if (!loaded.script) {
            std::fprintf(stderr, "soak: %s\n", loaded.error.c_str());
            return 1;
        }
        scripts[n] = *loaded.script;
    }

    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    const auto seconds = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    long frames = 0, games = 0, wins = 0, losses = 0;
    long afterMinute = -1, afterTenth = -1, peakAfterMinute = 0, peakAfterTenth = 0, nextReport = 0;
    while (frames < total) {
        const int n = static_cast<int>(games % 5);
        HeadlessRun run(root + "/assets/settings/settings.ini",
                        root + "/assets/settings/level" + std::to_string(n) + ".ini");
        // Every other game stops after the script's first half and waits for the void.
        const bool finish = games % 2 == 0;
        const std::vector<std::vector<Key>> keys = scripts[n].frames();
        const size_t played = finish ? keys.size() : keys.size() / 2;
        for (size_t i = 0; frames < total && !run.closed(); ++i, ++frames) {
            run.frame(i < played ? keys[i] : std::vector<Key>{});
            if (frames >= nextReport) {
                const long rss = residentKiB();
                std::printf("frame %8ld  %7.1f s  games %5ld  resident %ld KiB\n", frames, seconds(), games, rss);
                std::fflush(stdout);
                nextReport += 50000;
            }
            if (afterMinute < 0 && seconds() >= 60.0) afterMinute = residentKiB();
            if (afterTenth < 0 && frames >= total / 10) afterTenth = residentKiB();
            if (frames % 1000 == 0) {
                const long rss = residentKiB();
                if (afterMinute >= 0) peakAfterMinute = std::max(peakAfterMinute, rss);
                if (afterTenth >= 0) peakAfterTenth = std::max(peakAfterTenth, rss);
            }
        }
        const RunReport report = run.report();
        wins += report.outcome == RunOutcome::Won;
        losses += report.outcome == RunOutcome::Lost;
        ++games;
    }
    const long end = residentKiB();
    std::printf("frames %ld in %.1f s, games %ld (won %ld, lost %ld), resident at the end %ld KiB\n", frames,
                seconds(), games, wins, losses, end);
    std::printf("after the first tenth of the frames: %ld KiB, highest later %ld KiB, growth %ld KiB\n", afterTenth,
                std::max(peakAfterTenth, end), std::max(peakAfterTenth, end) - afterTenth);
    if (afterMinute >= 0)
        std::printf("after the first minute: %ld KiB, highest later %ld KiB, growth %ld KiB\n", afterMinute,
                    std::max(peakAfterMinute, end), std::max(peakAfterMinute, end) - afterMinute);
    return 0;
}
