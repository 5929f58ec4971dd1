// Replaying each shipped level's recorded keys reaches the goal on the same
// frame with the character at the same position, to the last bit, as when the
// figures below were recorded. A change that alters the simulation's arithmetic
// or its order of operations shows here first.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/KeyScript.h"
#include "support/LevelRun.h"

namespace {

const std::string kRoot = VAULTRISE_SOURCE_DIR;

struct Recorded {
    int frames;       // frame of the win, counted from the first frame of the run
    float x, y, z;    // the character's position after that frame
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

class Determinism : public testing::TestWithParam<int> {};

TEST_P(Determinism, ShippedScriptWinsOnTheRecordedFrameAtTheRecordedPosition)
{
    const int n = GetParam();
    const std::string level = kRoot + "/assets/settings/level" + std::to_string(n) + ".ini";
    LevelRun run(kRoot + "/assets/settings/settings.ini", level);
    for (const std::vector<Key>& keys : KeyScript::load(kRoot + "/tests/data/levels/level" + std::to_string(n) + ".keys").frames()) {
        if (run.finished()) break;
        run.frame(keys);
    }
    const glm::vec3 p = run.position();
    const Recorded& want = kRecorded[n];
    EXPECT_EQ(run.gameState(), Won);
    EXPECT_EQ(run.frames, want.frames);
    EXPECT_TRUE(p.x == want.x && p.y == want.y && p.z == want.z)
        << "at " << hex(p.x) << ", " << hex(p.y) << ", " << hex(p.z) << "; recorded " << hex(want.x) << ", "
        << hex(want.y) << ", " << hex(want.z);
}

INSTANTIATE_TEST_SUITE_P(Levels, Determinism, testing::Range(0, 5),
                         [](const testing::TestParamInfo<int>& info) { return "level" + std::to_string(info.param); });

}  // namespace
