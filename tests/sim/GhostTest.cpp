// The ghost: an earlier run played again beside the live one, by play time.
// Its positions are the recorded run's frame by frame, across pauses of
// either run; it costs at most one physics step per frame; it never changes
// the live run; it is one more object of the frame value while shown; the gap
// to it is measured at equal progress.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "core/IniFile.h"
#include "sim/frame/FrameClock.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/ghost/ClosestApproach.h"
#include "sim/ghost/GhostRace.h"
#include "sim/records/BestRuns.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/run/HeadlessRun.h"
#include "sim/run/ScriptedHost.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace {

bool same(glm::vec3 a, glm::vec3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

// The window with G held when the test says so.
struct GhostKeyHost : ScriptedHost {
    bool isWindowKeyDown(WindowKey key) const override { return key == WindowKey::Ghost && ghostKey; }
    bool ghostKey = false;
};

}  // namespace

TEST(Ghost, ItsPositionsAreTheRecordedRunsFrameByFrameWithEitherRunsPausesLeftOut)
{
    const Replay one = proofRun(1);
    Replay pausedGhost = one;
    pausedGhost.frames = withPause(one.frames, 700, 90);
    const struct {
        Replay ghosted;
        std::vector<ReplayFrame> live;
    } cases[] = {
        {one, one.frames},
        {one, withPause(withPause(one.frames, 600, 40), 30, 40)},  // the live run pauses twice
        {pausedGhost, one.frames},                                 // the ghost's own run paused
    };
    for (const auto& c : cases) {
        HeadlessRun run(kSettings, shippedLevel(1), c.ghosted.header.settings);
        GhostRun ghost(c.ghosted, kSettings, shippedLevel(1));
        int mismatches = 0;
        for (size_t frame = 0; frame < c.live.size() && !run.closed(); ++frame) {
            run.exactFrame(keysOf(c.live[frame].keys), c.live[frame].deltaTime);
            const int stepsBefore = ghost.physicsSteps();
            ghost.advanceTo(run.session().frame.playTime);
            ASSERT_LE(ghost.physicsSteps() - stepsBefore, 1) << "frame " << frame;
            if (!same(ghost.position(), run.session().character.getPosition()) && mismatches++ < 3)
                ADD_FAILURE() << "frame " << frame << ": ghost at play time " << ghost.playTime() << ", live at "
                              << run.session().frame.playTime;
        }
        EXPECT_EQ(run.report().outcome, RunOutcome::Won);
        EXPECT_GT(ghost.physicsSteps(), 500);
    }
}

// The game's own wiring: the run flow races the best run kept for the level,
// G hides and shows it (or brings it in late), and the live run's every state
// is the same as without a ghost.
TEST(Ghost, TheRunFlowDrawsTheBestRunAsOneMoreObjectAndTheLiveRunPlaysTheSame)
{
    const Replay proof = proofRun(2);
    const auto folder = freshFolder("ghost_best") / "best";
    std::ostringstream quiet;
    ASSERT_TRUE(saveBestRun(bestRunPath(folder, "2"), proof, quiet));
    const struct {
        bool races;
        GhostChoice choice;
        std::vector<int> ghostKeyFrames;  // frames in which G goes down
    } cases[] = {{false, GhostChoice::Best, {}}, {true, GhostChoice::Best, {500, 700}}, {true, GhostChoice::Off, {400}}};
    std::vector<uint64_t> alone;
    for (const auto& c : cases) {
        std::ostringstream log;
        IniFile file(kSettings, log);
        StartupConfig config = StartupConfig::read(file, log);
        config.level = "2";
        proof.header.settings.applyTo(config);
        config.ghost = c.choice;
        RunRules rules;
        rules.racesGhost = c.races;
        rules.bestRunFolder = folder;
        rules.settingsPath = kSettings;
        RunFlow flow(openSession(config, kSettings, shippedLevel(2), log), std::move(rules), log);
        GhostKeyHost host;
        ScriptClock clock;
        FrameDriver driver(flow, host, clock);
        std::vector<uint64_t> hashes;
        bool shown = c.choice != GhostChoice::Off;
        int level = 0;
        for (int frame = 0; frame < static_cast<int>(proof.frames.size()) && !host.closing; ++frame) {
            host.hold(keysOf(proof.frames[frame].keys));
            host.ghostKey = std::count(c.ghostKeyFrames.begin(), c.ghostKeyFrames.end(), frame) > 0;
            shown ^= host.ghostKey;
            clock.lastExactly(proof.frames[frame].deltaTime);
            const FrameView& view = driver.frame();
            hashes.push_back(simulationStateHash(flow.session()));
            const auto drawn = std::find_if(view.objects.begin(), view.objects.end(),
                                            [](const DrawnObject& o) { return o.kind == ObjectKind::Ghost; });
            ASSERT_EQ(drawn != view.objects.end(), c.races && shown) << "frame " << frame;
            if (drawn == view.objects.end()) continue;
            // Racing itself, the ghost is where the player is, never ahead, and level
            // whenever the player is as close to the goal as ever.
            ASSERT_TRUE(same(glm::vec3(drawn->transform[3]), view.characterPosition)) << "frame " << frame;
            const std::string& gap = flow.session().hud.ghostGap;
            EXPECT_EQ(gap.rfind(gap.empty() ? "" : "GHOST +", 0), 0u) << gap;
            level += gap == "GHOST +0.00 S";
        }
        if (c.races) {
            EXPECT_GT(level, 100);
        }
        EXPECT_EQ(flow.session().gameManager.gameState, Won);
        if (alone.empty()) alone = hashes;
        EXPECT_EQ(hashes, alone) << "every state of the live run is the same with the ghost";
    }
}

TEST(Ghost, TheGapIsPlayTimeAtEqualProgressNegativeWhenAhead)
{
    ClosestApproach ghost;
    for (const auto& [time, distance] : {std::pair{0.0f, 100.0f}, {1.0f, 80.0f}, {1.5f, 85.0f}, {2.0f, 60.0f}})
        ghost.add(time, distance);
    const struct {
        std::vector<std::pair<float, float>> player;  // play time, distance; the last is now
        std::optional<float> gap;
    } cases[] = {
        {{{0.0f, 100.0f}, {2.5f, 80.0f}}, 1.5f},                  // where the ghost was at 1.0
        {{{0.0f, 100.0f}, {2.5f, 90.0f}}, 1.5f},                  // the ghost passed 90 first at 1.0
        {{{0.0f, 100.0f}, {3.0f, 60.0f}}, 1.0f},
        {{{0.0f, 100.0f}, {1.0f, 80.0f}}, 0.0f},                  // level
        {{{0.0f, 100.0f}, {0.5f, 70.0f}, {1.0f, 50.0f}}, -1.0f},  // within the ghost's 60 at 1.0, it at 2.0
    };
    for (const auto& c : cases) {
        ClosestApproach player;
        for (const auto& [time, distance] : c.player) player.add(time, distance);
        const auto [now, distance] = c.player.back();
        EXPECT_EQ(raceGap(player, now, distance, ghost), c.gap) << now << " s, " << distance;
    }
    EXPECT_EQ(raceGap(ClosestApproach{}, 1.0f, 50.0f, ClosestApproach{}), std::nullopt) << "no ghost yet";
}
