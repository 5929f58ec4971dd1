// The solver: it wins small crafted levels that need a single jump, a double
// jump and the power-up; the run it finds replays to the same win; a level
// with static problems is not searched; the same frames budget
// gives the same run on any number of threads; a shipped level is solved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/ContentHash.h"
#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"
#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/solve/JumpPilot.h"
#include "sim/solve/LevelSolver.h"
#include "sim/solve/SolveSession.h"
#include "sim/solve/SolvedRun.h"
#include "support/ShippedFiles.h"
#include "support/SolverLevels.h"
#include "support/TempFiles.h"

namespace fs = std::filesystem;

namespace {

constexpr long long kSmallBudget = 400000;

// A level file in a folder of its own, so that its proof-run path is free.
LevelFiles levelIn(const fs::path& folder, const std::string& text, const std::string& name = "level7.ini")
{
    fs::create_directories(folder);
    std::ofstream(folder / name) << text;
    return {kSettings, (folder / name).string()};
}

SolveLimits framesBudget(long long frames, unsigned threads = 2)
{
    SolveLimits limits;
    limits.frames = frames;
    limits.threads = threads;
    return limits;
}

// Frames on which Space goes down, in order.
std::vector<int> spacePresses(const std::vector<KeyMask>& keys)
{
    std::vector<int> presses;
    for (size_t i = 0; i < keys.size(); ++i)
        if ((keys[i] & keyBit(Key::Space)) && (i == 0 || !(keys[i - 1] & keyBit(Key::Space))))
            presses.push_back(static_cast<int>(i));
    return presses;
}

// Plays the keys headless; `afterFrame` sees the session after every frame.
RunReport play(const LevelFiles& files, const std::vector<KeyMask>& keys,
               const std::function<void(const GameSession&)>& afterFrame = {})
{
    HeadlessRun run(files.settingsPath, files.levelPath);
    for (const KeyMask mask : keys) {
        if (run.closed()) break;
        run.frame(keysOf(mask));
        if (afterFrame) afterFrame(run.session());
    }
    return run.report();
}

}  // namespace

TEST(LevelSolver, WinsCraftedLevelsAndItsReplayPlaysToTheSameWin)
{
    const fs::path folder = freshFolder("solver_crafted");
    const struct {
        const char* name;
        std::string text;
        bool needsDouble;  // some jump must be a double jump (a second press within half a second)
    } levels[] = {
        {"one jump", oneJumpLevel(), false},
        {"double jump", doubleJumpLevel(), true},
    };
    int n = 0;
    for (const auto& level : levels) {
        SCOPED_TRACE(level.name);
        const LevelFiles files = levelIn(folder / std::to_string(n++), level.text);
        const SolveResult result = solveLevel(files, framesBudget(kSmallBudget));
        ASSERT_EQ(result.outcome, SolveResult::Outcome::Won) << result.reached.highestSurface;
        EXPECT_EQ(static_cast<int>(result.keys.size()), result.winFrame);
        const RunReport direct = play(files, result.keys);
        EXPECT_EQ(direct.outcome, RunOutcome::Won);
        EXPECT_EQ(direct.decidedFrame, result.winFrame);

        const std::vector<int> presses = spacePresses(result.keys);
        bool doubled = false;
        for (size_t i = 1; i < presses.size(); ++i) doubled = doubled || presses[i] - presses[i - 1] < 30;
        EXPECT_EQ(doubled, level.needsDouble);

        // The replay written from the run replays from its own bytes to the same win and state.
        const SolvedRun solved = recordSolvedRun(files, "7", result.keys);
        EXPECT_EQ(solved.error, "");
        const ReplayParse parsed = parseReplay(solved.text);
        ASSERT_TRUE(parsed.replay) << parsed.error;
        const RunReport replayed = playReplayHeadless(*parsed.replay, files.settingsPath, files.levelPath);
        EXPECT_EQ(summaryLine(replayed), summaryLine(direct));
    }
}

TEST(LevelSolver, TakesThePowerUpWhenOnlyItsSevenUnitsBeatTheVoid)
{
    const fs::path folder = freshFolder("solver_powerup");
    constexpr float kFastVoid = 14.5f;  // 14 to 15 leave only the power-up's way
    const LevelFiles files = levelIn(folder / "with", powerUpVoidLevel(kFastVoid));
    const SolveResult result = solveLevel(files, framesBudget(2 * kSmallBudget));
    ASSERT_EQ(result.outcome, SolveResult::Outcome::Won) << result.reached.highestSurface;
    bool tookPowerUp = false;
    float closestCall = -1e30f;  // how far the void, without the 7 units, would have been above the character
    play(files, result.keys, [&](const GameSession& s) {
        tookPowerUp = s.voidState.powerUpUsed;
        if (s.voidState.powerUpUsed)
            closestCall = std::max(closestCall, s.voidState.voidHeight + 7.0f - s.character.getPosition().y);
    });
    EXPECT_TRUE(tookPowerUp);
    EXPECT_GE(closestCall, 0.0f) << "the run would have won without the power-up";

    // The same climb with the power-up out of reach of every top cannot be won.
    const LevelFiles without = levelIn(folder / "without", powerUpVoidLevel(kFastVoid, false));
    const SolveResult lost = solveLevel(without, framesBudget(2 * kSmallBudget));
    EXPECT_EQ(lost.outcome, SolveResult::Outcome::NotFound);
    EXPECT_TRUE(lost.exhausted);
}

// A goal boxed in on every side (not found, reported, nothing written, a
// problem for the checker) is played through the real command in
// e2e/test_solve_level.sh.
TEST(LevelSolver, ALevelWithStaticProblemsOrNoFileIsNeverSearched)
{
    const fs::path folder = freshFolder("solver_boxed");
    const LevelFiles files =
        levelIn(folder / "level", craftedLevelText({{"nosuch", 4, 4.5f, 0}}, {kPowerUpReach}, 4, 7.6f, 0));
    SolveRequest request{files, framesBudget(kSmallBudget), std::nullopt, nullptr, nullptr, {}};
    bool searched = false;
    std::ostringstream rejected;
    EXPECT_FALSE(checkLevel(files.levelPath, files.settingsPath, rejected, [&] {
        searched = true;
        return std::optional<std::string>{};
    }));
    EXPECT_FALSE(searched) << rejected.str();
    EXPECT_NE(rejected.str().find("platform0type: unknown platform type 'nosuch'"), std::string::npos)
        << rejected.str();

    // --solve-level gives the checker's lines for such a level, and for a file it cannot read, and searches neither.
    std::ostringstream typo, missing;
    EXPECT_EQ(solveAndWrite(request, typo), kNotSolvedStatus);
    EXPECT_EQ(typo.str().find("platform0type: unknown platform type 'nosuch'"), 0u) << typo.str();
    EXPECT_NE(typo.str().find("level7.ini: 1 problem; not searched\n"), std::string::npos) << typo.str();
    EXPECT_EQ(typo.str().find("solving"), std::string::npos) << typo.str();
    request.files.levelPath = (folder / "nothing" / "level3.ini").string();
    EXPECT_EQ(solveAndWrite(request, missing), kNotSolvedStatus);
    EXPECT_NE(missing.str().find("level3.ini: cannot read " + request.files.levelPath + " as a level file\n"),
              std::string::npos)
        << missing.str();
}

// Level 4 is the cheapest shipped level to solve (about 75,000 simulated frames).
TEST(LevelSolver, SolvesAShippedLevelTheSameOnAnyNumberOfThreads)
{
    const LevelFiles files{kSettings, shippedLevel(4)};
    const ReplayParse proof = loadReplay(proofPathFor(files.levelPath));
    ASSERT_TRUE(proof.replay) << proof.error;
    const int proofFrames = playReplayHeadless(*proof.replay, files.settingsPath, files.levelPath).decidedFrame;

    // A budget that lets the search finish, and one that cuts it short.
    for (const long long budget : {150000LL, 20000LL}) {
        SCOPED_TRACE(budget);
        const SolveResult one = solveLevel(files, framesBudget(budget, 1));
        const SolveResult three = solveLevel(files, framesBudget(budget, 3));
        EXPECT_EQ(one.outcome, three.outcome);
        EXPECT_EQ(one.keys, three.keys);
        EXPECT_EQ(one.attempts, three.attempts);
        EXPECT_EQ(one.reached.simulated, three.reached.simulated);
        EXPECT_EQ(one.reached.highestSurface, three.reached.highestSurface);
        if (one.outcome != SolveResult::Outcome::Won) {
            EXPECT_GE(one.reached.simulated, budget);  // it stops only once the budget is spent
            continue;
        }
        const RunReport replayed = play(files, one.keys);
        EXPECT_EQ(replayed.outcome, RunOutcome::Won);
        EXPECT_EQ(replayed.decidedFrame, one.winFrame);
        EXPECT_LE(one.winFrame, proofFrames * 3 / 2) << "slower than 1.5 times the recorded proof run";
    }
}

TEST(LevelSolver, ASolvedRunNeedsAPlaceToGoAndNamesItsLevelSetting)
{
    const fs::path folder = freshFolder("solver_paths");
    const LevelFiles files = levelIn(folder / "levels", oneJumpLevel());
    // Writing beside the level, the fallback under the data folder and the refusal to overwrite
    // a proof run are played through the real command in e2e/test_solve_level.sh.
    // With a proof run in place and no data folder, there is nowhere to write.
    std::ofstream(proofPathFor(files.levelPath)) << "a proof run\n";
    std::string error;
    EXPECT_EQ(solvedRunPath(files.levelPath, std::nullopt, nullptr, nullptr, error), std::nullopt);
    EXPECT_NE(error.find("neither XDG_DATA_HOME nor HOME is set"), std::string::npos) << error;

    // The level setting the replay names: the number of "level<N>.ini", else a plain name.
    const std::pair<const char*, const char*> settings[] = {
        {"a/level7.ini", "7"}, {"level12.ini", "12"}, {"my level.ini", "my_level"}, {"level.ini", "level"},
        {"../x/../tower-2.ini", "tower-2"}};
    for (const auto& [path, setting] : settings) EXPECT_EQ(levelSettingOf(path), setting) << path;
}

// Found on level 0: a press while the double jump's lock still held did not
// lift off, and the pilot took the standing character for landed.
TEST(JumpPilot, PressesAgainWhenTheJumpDidNotLiftOff)
{
    JumpPilot pilot({glm::vec3(10.0f, 5.0f, 0.0f), glm::vec3(4.0f, 0.5f, 4.0f), false}, {0, 0}, 50.0f);
    const glm::vec3 standing(0.0f, 1.5f, 0.0f), still(0.0f);
    std::vector<int> presses;
    for (int frame = 1; frame <= 12; ++frame) {
        const std::vector<Key> keys = pilot.decide(standing, still, true);
        if (std::find(keys.begin(), keys.end(), Key::Space) != keys.end()) presses.push_back(frame);
        EXPECT_FALSE(pilot.settled()) << "frame " << frame;
    }
    EXPECT_EQ(presses, (std::vector<int>{1, 5, 9}));

    // Once it has lifted off, coming down on a top and braking settles it.
    const std::vector<Key> air = pilot.decide(glm::vec3(2.0f, 6.0f, 0.0f), glm::vec3(8.0f, 3.0f, 0.0f), false);
    EXPECT_NE(std::find(air.begin(), air.end(), Key::D), air.end()) << "steers towards the target";
    for (int frame = 0; frame < 8 && !pilot.settled(); ++frame)
        pilot.decide(glm::vec3(10.0f, 6.0f, 0.0f), glm::vec3(0.0f), true);
    EXPECT_TRUE(pilot.settled());
}

TEST(LevelSolver, CheckLevelSavesTheFoundRunAsTheProofRun)
{
    const fs::path folder = freshFolder("solver_check");
    const LevelFiles files = levelIn(folder, doubleJumpLevel());
    const SolveRequest request{files, framesBudget(kSmallBudget), std::nullopt, nullptr, nullptr, {}};
    std::ostringstream unsaved, saved, again;
    EXPECT_TRUE(checkLevel(files.levelPath, files.settingsPath, unsaved,
                           [&] { return proveBySearch(request, false, unsaved); }));
    EXPECT_NE(unsaved.str().find("found a winning run: won frame "), std::string::npos) << unsaved.str();
    EXPECT_FALSE(fs::exists(proofPathFor(files.levelPath)));
    EXPECT_TRUE(checkLevel(files.levelPath, files.settingsPath, saved,
                           [&] { return proveBySearch(request, true, saved); }));
    EXPECT_NE(saved.str().find("proof run saved to "), std::string::npos) << saved.str();
    EXPECT_TRUE(checkLevel(files.levelPath, files.settingsPath, again)) << again.str();
    EXPECT_EQ(again.str().find("proof run level7.replay: won frame "), 0u) << again.str();
}
