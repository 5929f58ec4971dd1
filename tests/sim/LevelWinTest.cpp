// Every shipped level is winnable: its recorded key script, replayed through
// the real simulation and game flow at 60 frames per second, reaches the goal
// before the void.
#include <gtest/gtest.h>

#include <string>

#include "support/KeyScript.h"
#include "support/LevelRun.h"

namespace {

const std::string kRoot = VAULTRISE_SOURCE_DIR;
const std::string kSettings = kRoot + "/assets/settings/settings.ini";
constexpr int kShippedLevels = 5;

std::string levelPath(int n) { return kRoot + "/assets/settings/level" + std::to_string(n) + ".ini"; }
std::string scriptPath(int n) { return kRoot + "/tests/data/levels/level" + std::to_string(n) + ".keys"; }

struct Outcome {
    std::string console;
    int frames = 0;
    int32_t state = Playing;
    bool closed = false;
};

// Plays the script, then keeps running with no keys held (up to `grace`
// frames) until the game ends.
Outcome play(int n, const KeyScript& script, int grace = 600)
{
    LevelRun run(kSettings, levelPath(n));
    Outcome outcome;
    for (const std::vector<Key>& keys : script.frames()) {
        if (run.finished()) break;
        outcome.console += run.frame(keys);
    }
    for (int i = 0; i < grace && !run.finished(); ++i) outcome.console += run.frame({});
    outcome.frames = run.frames;
    outcome.state = run.gameState();
    outcome.closed = run.finished();
    return outcome;
}

class ShippedLevel : public testing::TestWithParam<int> {};

TEST_P(ShippedLevel, ScriptReachesTheGoalBeforeTheVoid)
{
    const int n = GetParam();
    const KeyScript script = KeyScript::load(scriptPath(n));
    ASSERT_GT(script.totalFrames(), 0);

    const Outcome outcome = play(n, script);
    EXPECT_NE(outcome.console.find("SUCCESSFULLY ESCAPED THE VOID!\n"), std::string::npos) << outcome.console;
    EXPECT_EQ(outcome.console.find("GAME LOST!"), std::string::npos) << outcome.console;
    EXPECT_EQ(outcome.state, Won);
    EXPECT_TRUE(outcome.closed) << "the game ends after the winning frame";
    // The win comes from the script itself, not from drifting afterwards.
    EXPECT_LE(outcome.frames, script.totalFrames());
    std::cout << "level" << n << ": won in " << outcome.frames << " frames\n";
}

TEST_P(ShippedLevel, AVoidThatCatchesAnIdlePlayer)
{
    // Only the first press (start and a jump in place), then nothing: the
    // void must rise through the start and end the game.
    const int n = GetParam();
    KeyScript idle = KeyScript::parse("1 Space\n");
    const Outcome outcome = play(n, idle, 60 * 120);
    EXPECT_EQ(outcome.state, Lost) << outcome.console;
    EXPECT_NE(outcome.console.find("GAME LOST! HEIGHT: "), std::string::npos);
    EXPECT_EQ(outcome.console.find("SUCCESSFULLY ESCAPED THE VOID!"), std::string::npos);
}

TEST_P(ShippedLevel, StoppingHalfwayLosesToTheVoid)
{
    // The first half of the winning script and then no more input: the level
    // is not won by drifting, and the void ends it.
    const int n = GetParam();
    const KeyScript full = KeyScript::load(scriptPath(n));
    KeyScript half;
    const auto frames = full.frames();
    for (size_t i = 0; i < frames.size() / 2; ++i) half.append(frames[i]);
    const Outcome outcome = play(n, half, 60 * 180);
    EXPECT_EQ(outcome.state, Lost) << outcome.console;
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevel, testing::Range(0, kShippedLevels),
                         [](const testing::TestParamInfo<int>& info) { return "level" + std::to_string(info.param); });

TEST(KeyScript, ParsesRunsCommentsAndBlankLines)
{
    const KeyScript script = KeyScript::parse("# start\n3 Space\n\n2\n4 W D Space # climb\n");
    ASSERT_EQ(script.runs.size(), 3u);
    EXPECT_EQ(script.totalFrames(), 9);
    EXPECT_EQ(script.runs[0].keys, std::vector<Key>{Key::Space});
    EXPECT_TRUE(script.runs[1].keys.empty());
    EXPECT_EQ(script.runs[2].keys, (std::vector<Key>{Key::W, Key::D, Key::Space}));
    EXPECT_EQ(KeyScript::parse(script.format()).frames(), script.frames()) << "format and parse round-trip";
    EXPECT_THROW(KeyScript::parse("3 Q\n"), std::runtime_error);
    EXPECT_THROW(KeyScript::parse("W 3\n"), std::runtime_error);
    EXPECT_THROW(KeyScript::parse("0 W\n"), std::runtime_error);
}

}  // namespace
