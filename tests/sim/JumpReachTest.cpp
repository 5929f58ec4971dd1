// How far the astronaut jumps, measured in the real simulation and frame
// order: the numbers docs/levels.md gives level authors. The jump impulses,
// the move push and the air time all scale with gravity, so heights and
// distances grow in proportion to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"
#include "support/ShippedFiles.h"
#include "support/TempFiles.h"

namespace {

struct Reach {
    float peak = 0.0f;      // highest rise of the sphere's centre above where it stood
    float distance = 0.0f;  // ground covered towards -z until it is back at the start height
};

// A flat floor of 2000 x 2000, no void rise, the goal far away. The character
// settles on the floor, then jumps on frame 0 (and again on `secondPress`
// when above 0), holding W throughout when `holdForward`.
Reach measure(float gravity, int secondPress, bool holdForward)
{
    const std::string level = "[world]\ndimensionX = 2000\ndimensionZ = 2000\nvoidSpeed = 0\ncharStartX = 0\n"
                              "charStartY = 1.5\ncharStartZ = 0\n[physics]\ngravity = " +
                              std::to_string(gravity) + "\n[goal]\ngoalY = 5000\n";
    HeadlessRun run(kSettings, writeTempFile("jump", level));
    run.frame({Key::Space});  // starts the game
    for (int i = 0; i < 240; ++i) run.frame({});
    const Character& character = run.session().character;
    const glm::vec3 start = character.getPosition();

    Reach reach;
    bool airborne = false;
    for (int i = 0; i < 600; ++i) {
        std::vector<Key> keys;
        if (holdForward) keys.push_back(Key::W);
        if (i == 0 || i == secondPress) keys.push_back(Key::Space);
        run.frame(keys);
        const float rise = character.getPosition().y - start.y;
        reach.peak = std::max(reach.peak, rise);
        if (rise > 0.05f)
            airborne = true;
        else if (airborne)
            break;
    }
    reach.distance = start.z - character.getPosition().z;
    return reach;
}

TEST(JumpReach, MatchesTheAuthorsTable)
{
    // Measured with this test; docs/levels.md quotes them.
    const struct {
        float gravity, singlePeak, doublePeak, singleDistance, doubleDistance;
    } table[] = {
        {50.0f, 12.08f, 22.05f, 36.97f, 66.61f},
        {30.0f, 7.10f, 12.97f, 21.67f, 37.98f},
        {60.0f, 14.57f, 26.60f, 45.40f, 79.94f},
    };
    for (const auto& row : table) {
        SCOPED_TRACE("gravity " + std::to_string(row.gravity));
        const float tolerance = 0.02f;
        EXPECT_NEAR(measure(row.gravity, 0, false).peak, row.singlePeak, row.singlePeak * tolerance);
        EXPECT_NEAR(measure(row.gravity, 2, false).peak, row.doublePeak, row.doublePeak * tolerance);
        EXPECT_NEAR(measure(row.gravity, 0, true).distance, row.singleDistance, row.singleDistance * tolerance);
        EXPECT_NEAR(measure(row.gravity, 2, true).distance, row.doubleDistance, row.doubleDistance * tolerance);
    }
}

}  // namespace
