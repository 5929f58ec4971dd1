// How far the astronaut jumps, measured in the real simulation and frame
// order: the numbers docs/levels.md gives level authors. The jump impulses,
// the move push and the air time all scale with gravity, so heights and
// distances grow in proportion to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "support/LevelRun.h"
#include "support/TempFiles.h"

namespace {

const std::string kSettings = std::string(VAULTRISE_SOURCE_DIR) + "/assets/settings/settings.ini";

struct Reach {
    float peak = 0.0f;      // highest rise of the sphere's centre above where it stood
    float distance = 0.0f;  // ground covered towards -z until it is back at the start height
    int airFrames = 0;
};

// A flat floor of 2000 x 2000, no void rise, the goal far away. The character
// settles on the floor, then jumps on frame 0 (and again on `secondPress`
// when above 0), holding W throughout when `holdForward`.
Reach measure(float gravity, int secondPress, bool holdForward)
{
    const std::string level = "[world]\ndimensionX = 2000\ndimensionZ = 2000\nvoidSpeed = 0\ncharStartX = 0\n"
                              "charStartY = 1.5\ncharStartZ = 0\n[physics]\ngravity = " +
                              std::to_string(gravity) + "\n[goal]\ngoalY = 5000\n";
    LevelRun run(kSettings, writeTempFile("jump", level));
    run.frame({Key::Space});  // starts the game
    for (int i = 0; i < 240; ++i) run.frame({});
    const glm::vec3 start = run.position();

    Reach reach;
    bool airborne = false;
    for (int i = 0; i < 600; ++i) {
        std::vector<Key> keys;
        if (holdForward) keys.push_back(Key::W);
        if (i == 0 || (secondPress > 0 && i == secondPress)) keys.push_back(Key::Space);
        run.frame(keys);
        const glm::vec3 p = run.position();
        reach.peak = std::max(reach.peak, p.y - start.y);
        if (p.y > start.y + 0.05f) {
            airborne = true;
            ++reach.airFrames;
        } else if (airborne) {
            break;
        }
    }
    reach.distance = start.z - run.position().z;
    return reach;
}

// Speed along -z after holding W on the ground for one second from rest.
float groundSpeedAfterOneSecond(float gravity)
{
    const std::string level = "[world]\ndimensionX = 2000\ndimensionZ = 2000\nvoidSpeed = 0\ncharStartX = 0\n"
                              "charStartY = 1.5\ncharStartZ = 0\n[physics]\ngravity = " +
                              std::to_string(gravity) + "\n[goal]\ngoalY = 5000\n";
    LevelRun run(kSettings, writeTempFile("run", level));
    run.frame({Key::Space});
    for (int i = 0; i < 240; ++i) run.frame({});
    for (int i = 0; i < 60; ++i) run.frame({Key::W});
    return -run.velocity().z;
}

// The last frame after the first press at which a second press still double
// jumps. Only frames within the first jump's 0.5 s lockout count: after it, a
// press near the ground is a new first jump.
int latestSecondPress(float gravity)
{
    const float single = measure(gravity, 0, false).peak;
    int latest = 0;
    for (int k = 2; k < 30; ++k)
        if (measure(gravity, k, false).peak > single + 0.5f) latest = k;
    return latest;
}

struct Row {
    float gravity;
    float singlePeak, doublePeak, singleDistance, doubleDistance;
};

// Measured with this test; docs/levels.md quotes them.
constexpr Row kTable[] = {
    {50.0f, 12.08f, 22.05f, 36.97f, 66.61f},
    {30.0f, 7.10f, 12.97f, 21.67f, 37.98f},
    {60.0f, 14.57f, 26.60f, 45.40f, 79.94f},
};

TEST(JumpReach, MatchesTheAuthorsTable)
{
    for (const Row& row : kTable) {
        SCOPED_TRACE("gravity " + std::to_string(row.gravity));
        const Reach single = measure(row.gravity, 0, false);
        const Reach doubleJump = measure(row.gravity, 2, false);
        const Reach singleFar = measure(row.gravity, 0, true);
        const Reach doubleFar = measure(row.gravity, 2, true);
        std::printf("gravity %4.0f: single peak %6.2f, double peak %6.2f, single distance %6.2f (%d frames), "
                    "double distance %6.2f (%d frames), ground speed after 1 s %5.2f, latest second press %d\n",
                    row.gravity, single.peak, doubleJump.peak, singleFar.distance, singleFar.airFrames,
                    doubleFar.distance, doubleFar.airFrames, groundSpeedAfterOneSecond(row.gravity),
                    latestSecondPress(row.gravity));
        const float tolerance = 0.02f;
        EXPECT_NEAR(single.peak, row.singlePeak, row.singlePeak * tolerance);
        EXPECT_NEAR(doubleJump.peak, row.doublePeak, row.doublePeak * tolerance);
        EXPECT_NEAR(singleFar.distance, row.singleDistance, row.singleDistance * tolerance);
        EXPECT_NEAR(doubleFar.distance, row.doubleDistance, row.doubleDistance * tolerance);
    }
}

TEST(JumpReach, ALaterSecondPressGivesALowerDoubleJump)
{
    // The second impulse adds least height when the sphere is already slowed
    // by gravity, and nothing once the ground is 10 or more below the ray.
    const float early = measure(50.0f, 2, false).peak;
    const float late = measure(50.0f, 20, false).peak;
    const float tooLate = measure(50.0f, 40, false).peak;
    const float single = measure(50.0f, 0, false).peak;
    EXPECT_GT(early, late + 2.0f);
    EXPECT_GT(late, single + 2.0f);
    EXPECT_NEAR(tooLate, single, 0.01f);
}

}  // namespace
