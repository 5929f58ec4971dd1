// Every shipped level is won by its recorded key script, replayed through the
// game's own session and frame loop at 60 frames per second, on the recorded
// frame with the character at the recorded position to the last bit: a change
// to the simulation's arithmetic or its order of operations shows here first.
// A player who stops is caught by the void.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "sim/replay/ReplayFile.h"
#include "sim/run/HeadlessRun.h"
#include "support/ShippedFiles.h"

namespace {

struct Recorded {
    int frame;     // frame of the win, counted from the first frame of the run
    float x, y, z; // the character's position after that frame
};

// Recorded with the level files and key scripts in this repository.
constexpr Recorded kRecorded[] = {
    {1035, -0x1.7af798p+4f, 0x1.509b0cp+6f, 0x1.2b4a5ep+2f},
    {1253, -0x1.717e26p+4f, 0x1.4ef58cp+6f, 0x1.562bf6p+2f},
    {1314, -0x1.661af2p+4f, 0x1.4445c4p+6f, 0x1.069014p+2f},
    {973, -0x1.7a51fep+4f, 0x1.5213cap+6f, 0x1.45deeep+2f},
    {760, -0x1.7f0f82p+4f, 0x1.5299a2p+6f, 0x1.2d17bep+2f},
};

std::string hex(float v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%a", static_cast<double>(v));
    return text;
}

std::unique_ptr<HeadlessRun> startLevel(int n) { return std::make_unique<HeadlessRun>(kSettings, shippedLevel(n)); }

class ShippedLevel : public testing::TestWithParam<int> {};

TEST_P(ShippedLevel, ScriptWinsOnTheRecordedFrameAtTheRecordedPosition)
{
    const KeyScript script = winScript(GetParam());
    ASSERT_GT(script.totalFrames(), 0);
    const RunReport report = startLevel(GetParam())->play(script, 600);
    EXPECT_EQ(report.outcome, RunOutcome::Won);
    EXPECT_NE(report.log.find("SUCCESSFULLY ESCAPED THE VOID!\n"), std::string::npos) << report.log;
    EXPECT_EQ(report.log.find("GAME LOST!"), std::string::npos) << report.log;
    EXPECT_EQ(report.frames, report.decidedFrame) << "the game ends on the winning frame";

    const Recorded& want = kRecorded[GetParam()];
    const glm::vec3 p = report.position;
    EXPECT_EQ(report.decidedFrame, want.frame);
    EXPECT_TRUE(p.x == want.x && p.y == want.y && p.z == want.z)
        << "at " << hex(p.x) << ", " << hex(p.y) << ", " << hex(p.z) << "; recorded " << hex(want.x) << ", "
        << hex(want.y) << ", " << hex(want.z);
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevel, testing::Range(0, 5),
                         [](const testing::TestParamInfo<int>& info) { return "level" + std::to_string(info.param); });

class EveryShippedLevel : public testing::TestWithParam<int> {};

TEST_P(EveryShippedLevel, APlayerWhoStopsLosesToTheVoid)
{
    // Only the first press (start and a jump in place), or the keys of the
    // first half of the proof run: the level is not won by drifting, and the
    // void rises through the character.
    const Replay proof = proofRun(GetParam());
    KeyScript half;
    for (size_t i = 0; i < proof.frames.size() / 2; ++i) half.append(keysOf(proof.frames[i].keys));
    for (const KeyScript& stop : {*parseKeyScript("1 Space\n").script, half}) {
        const RunReport report = startLevel(GetParam())->play(stop, 60 * 180);
        EXPECT_EQ(report.outcome, RunOutcome::Lost) << report.log;
        EXPECT_NE(report.log.find("GAME LOST! HEIGHT: "), std::string::npos);
        EXPECT_EQ(report.log.find("SUCCESSFULLY ESCAPED THE VOID!"), std::string::npos);
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, EveryShippedLevel, testing::ValuesIn(shippedLevelNumbers()),
                         [](const testing::TestParamInfo<int>& info) { return "level" + std::to_string(info.param); });

TEST(KeyScript, ParsesRunsCommentsAndBlankLinesAndNamesTheFaultyLine)
{
    const KeyScriptResult parsed = parseKeyScript("# start\n3 Space\n\n2\n4 W D Space # climb\n1 F8 Escape\n");
    ASSERT_TRUE(parsed.script) << parsed.error;
    const KeyScript& script = *parsed.script;
    ASSERT_EQ(script.runs.size(), 4u);
    EXPECT_EQ(script.totalFrames(), 10);
    EXPECT_TRUE(script.runs[1].keys.empty());
    EXPECT_EQ(script.runs[2].keys, (std::vector<Key>{Key::W, Key::D, Key::Space}));
    EXPECT_EQ(parseKeyScript(script.format()).script->frames(), script.frames()) << "format and parse round-trip";
    for (const auto& [text, error] : {std::pair{"3 Q\n", "line 1: unknown key Q"},
                                      {"1\nW 3\n", "line 2: frame count expected, got W"},
                                      {"0 W\n", "line 1: frame count expected, got 0"},
                                      {"3x\n", "line 1: frame count expected, got 3x"}}) {
        const KeyScriptResult bad = parseKeyScript(text);
        EXPECT_FALSE(bad.script);
        EXPECT_EQ(bad.error, error);
    }
    EXPECT_EQ(loadKeyScript("/nonexistent.keys").error, "cannot read /nonexistent.keys");
}

}  // namespace
