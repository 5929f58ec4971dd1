// Headless replay speed, the benchmark of the simulation: frames per second of
// each shipped level's proof run and of a run on a generated level of 100
// platforms, each the best of five plays (session start-up included).
//
//   replay_benchmark
//
// Run from the repository root.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"
#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"

namespace {

const std::string kSettings = "assets/settings/settings.ini";

void measure(const std::string& name, const std::string& levelPath, const Replay& replay)
{
    double best = 1e9;
    RunReport report;
    for (int i = 0; i < 5; ++i) {
        const auto start = std::chrono::steady_clock::now();
        report = playReplayHeadless(replay, kSettings, levelPath);
        best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("%-22s %6d frames  %8.2f ms  %9.0f frames/s  %s\n", name.c_str(), report.frames, best * 1e3,
                report.frames / best, summaryLine(report).c_str());
}

// 100 regular platforms in a 10 x 10 grid at heights from 6 to 45, and a minute of
// rolling and jumping about under them.
Replay hundredPlatformRun(const std::string& levelPath)
{
    std::ofstream level(levelPath);
    level << "[general]\nname = Hundred\n[world]\ndimensionX = 120\ndimensionY = 120\ndimensionZ = 120\n"
             "voidSpeed = 0.05\ncharStartX = 0\ncharStartY = 1.5\ncharStartZ = 0\n[physics]\ngravity = 50\n"
             "[platforms]\ntotal = 100\n";
    for (int i = 0; i < 100; ++i)
        level << "platform" << i << "x = " << -54 + 12 * (i % 10) << "\nplatform" << i << "y = " << 6 + i * 7 % 40
              << "\nplatform" << i << "z = " << -45 + 10 * (i / 10) << "\nplatform" << i << "type = regular\n";
    level << "[goal]\ngoalX = -25\ngoalY = 82\ngoalZ = 5\n";
    level.close();

    HeadlessRun run(kSettings, levelPath);
    Replay replay;
    replay.header = recordingHeader("100", levelPath, kSettings, SimulationSettings::of(run.session().config));
    // Each push is braked by its opposite, so the character stays on the floor.
    const std::vector<Key> pattern[] = {{Key::Space, Key::D}, {Key::A}, {Key::Space, Key::W}, {Key::S},
                                        {Key::Space, Key::A}, {Key::D}, {Key::Space, Key::S}, {Key::W}};
    for (int frame = 0; frame < 3600 && !run.closed(); ++frame) {
        run.frame(pattern[(frame / 40) % 8]);
        replay.frames.push_back(run.lastFrameRecord());
    }
    return replay;
}

}  // namespace

int main()
{
    for (int n = 0; n < 10; ++n) {
        const std::string levelPath = "assets/settings/level" + std::to_string(n) + ".ini";
        if (!std::filesystem::exists(proofPathFor(levelPath))) continue;
        const ReplayParse parsed = loadReplay(proofPathFor(levelPath));
        if (!parsed.replay) {
            std::fprintf(stderr, "%s\n", parsed.error.c_str());
            return 1;
        }
        measure("level" + std::to_string(n) + " proof run", levelPath, *parsed.replay);
    }
    const std::string generated = (std::filesystem::temp_directory_path() / "vaultrise_level100.ini").string();
    measure("100 platforms", generated, hundredPlatformRun(generated));
    return 0;
}
