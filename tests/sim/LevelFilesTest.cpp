// What the level checker (LevelCheckTest) does not ask of the shipped levels:
// distinct names, enough platforms, a start on the floor, and a platform to
// stand on inside the power-up and inside the goal.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <set>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include "core/IniFile.h"
#include "support/ShippedFiles.h"

namespace {

glm::vec3 point(const IniFile& ini, const std::string& section, const std::string& key, const char* x, const char* y,
                const char* z)
{
    return {ini.getFloat(section, key + x, NAN), ini.getFloat(section, key + y, NAN),
            ini.getFloat(section, key + z, NAN)};
}

TEST(ShippedLevelFiles, HaveDistinctNamesAStartOnTheFloorAndPlacesToStandAtThePowerUpAndGoal)
{
    const IniFile settings(kSettings, std::cout);
    ASSERT_TRUE(settings.loaded());
    std::set<std::string> names;
    for (int n : shippedLevelNumbers()) {
        SCOPED_TRACE("level" + std::to_string(n));
        const IniFile level(shippedLevel(n), std::cout);
        ASSERT_TRUE(level.loaded());
        EXPECT_TRUE(names.insert(level.getString("general", "name", "")).second) << "name missing or used twice";
        const long total = level.getInt("platforms", "total", 0);
        EXPECT_GE(total, 8);
        const glm::vec3 start = point(level, "world", "charStart", "X", "Y", "Z");
        EXPECT_LE(std::abs(start.x), level.getFloat("world", "dimensionX", NAN) * 0.5f - 1.0f);
        EXPECT_FLOAT_EQ(start.y, 1.5f) << "the character starts standing on the floor";

        // Somewhere to stand inside the power-up's trigger box and inside the goal sphere.
        const glm::vec3 powerUp(-10.0f, 32.0f, 5.0f);
        const glm::vec3 goal = point(level, "goal", "goal", "X", "Y", "Z");
        const float goalRadius = settings.getFloat("elements", "goalX", 1.0f) * 0.5f;
        bool powerUpStand = false, goalStand = false;
        for (long i = 0; i < total; ++i) {
            const std::string key = "platform" + std::to_string(i);
            const glm::vec3 c = point(level, "platforms", key, "x", "y", "z");
            const glm::vec3 half =
                0.5f *
                point(settings, "elements", "plat_" + level.getString("platforms", key + "type", ""), "X", "Y", "Z");
            const auto under = [&](const glm::vec3& p) {
                return std::abs(p.x - c.x) <= half.x && std::abs(p.z - c.z) <= half.z;
            };
            const float stand = c.y + half.y + 1.0f;  // the sphere's centre on the top
            powerUpStand |= under(powerUp) && std::abs(stand - powerUp.y) < 1.0f;
            goalStand |= under(goal) && glm::distance(glm::vec3(goal.x, stand, goal.z), goal) < goalRadius;
        }
        EXPECT_TRUE(powerUpStand) << "no platform to stand on at the power-up";
        EXPECT_TRUE(goalStand) << "no platform to stand on inside the goal";
    }
}

}  // namespace
