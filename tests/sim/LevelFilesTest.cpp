// The shipped level files are well formed: every element type is in the
// settings' catalogue, everything lies inside the framed play space, the
// names differ, and the fixed furniture (power-up, goal) can be stood on.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include "core/IniFile.h"

namespace {

const std::string kRoot = VAULTRISE_SOURCE_DIR;
constexpr int kShippedLevels = 5;
// The two screens frame x within +-160 at z = +-80; the levels keep well inside.
constexpr float kPlayHalfWidth = 60.0f;
constexpr float kPlayTop = 140.0f;
const glm::vec3 kPowerUp(-10.0f, 32.0f, 5.0f);
// The band of z the character keeps to: the game camera follows 50 further
// out along z (on either side), and beyond about z = 18 (or -18 on the other
// side) it ends up behind one of the tilted video screens.
constexpr float kBandNear = 18.0f;
constexpr float kBandFar = -15.0f;

struct Box {
    std::string key;
    std::string type;
    glm::vec3 centre;
    glm::vec3 half;
    float top() const { return centre.y + half.y; }
    bool footprintHolds(float x, float z) const
    {
        return std::abs(x - centre.x) <= half.x && std::abs(z - centre.z) <= half.z;
    }
};

std::vector<Box> boxes(const IniFile& level, const IniFile& settings, const char* section, const char* prefix,
                       const char* catalogue)
{
    std::vector<Box> all;
    const long total = level.getInt(section, "total", 0);
    for (long i = 0; i < total; ++i) {
        const std::string key = prefix + std::to_string(i);
        Box b;
        b.key = key;
        EXPECT_TRUE(level.has(section, key + "x") && level.has(section, key + "y") && level.has(section, key + "z") &&
                    level.has(section, key + "type"))
            << key << " is not fully written out";
        b.type = level.getString(section, key + "type", "regular");
        const std::string sizeKey = catalogue + b.type;
        for (const char* axis : {"X", "Y", "Z"})
            EXPECT_TRUE(settings.has("elements", sizeKey + axis)) << key << ": " << sizeKey << axis << " missing";
        b.centre = glm::vec3(level.getFloat(section, key + "x", NAN), level.getFloat(section, key + "y", NAN),
                             level.getFloat(section, key + "z", NAN));
        b.half = 0.5f * glm::vec3(settings.getFloat("elements", sizeKey + "X", 1.0f),
                                  settings.getFloat("elements", sizeKey + "Y", 1.0f),
                                  settings.getFloat("elements", sizeKey + "Z", 1.0f));
        all.push_back(b);
    }
    return all;
}

TEST(ShippedLevelFiles, ParseAndStayInsideThePlaySpace)
{
    const IniFile settings(kRoot + "/assets/settings/settings.ini");
    ASSERT_TRUE(settings.loaded());
    EXPECT_EQ(settings.getString("general", "assetPath", ""), "assets");
    EXPECT_EQ(settings.getString("general", "level", ""), "0");

    std::set<std::string> names;
    for (int n = 0; n < kShippedLevels; ++n) {
        SCOPED_TRACE("level" + std::to_string(n));
        const IniFile level(kRoot + "/assets/settings/level" + std::to_string(n) + ".ini");
        ASSERT_TRUE(level.loaded());

        const std::string name = level.getString("general", "name", "");
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(names.insert(name).second) << "name used twice: " << name;

        const float dimX = level.getFloat("world", "dimensionX", NAN);
        const float dimZ = level.getFloat("world", "dimensionZ", NAN);
        EXPECT_LE(dimX * 0.5f, kPlayHalfWidth);
        EXPECT_LE(dimZ * 0.5f, kPlayHalfWidth);
        EXPECT_GT(level.getFloat("world", "voidSpeed", NAN), 0.0f);
        EXPECT_GT(level.getFloat("physics", "gravity", NAN), 0.0f);

        const std::vector<Box> platforms = boxes(level, settings, "platforms", "platform", "plat_");
        const std::vector<Box> walls = boxes(level, settings, "walls", "wall", "wall_");
        EXPECT_GE(platforms.size(), 8u);
        std::vector<Box> all = platforms;
        all.insert(all.end(), walls.begin(), walls.end());
        for (const Box& b : all) {
            SCOPED_TRACE(b.key);
            EXPECT_TRUE(std::isfinite(b.centre.x) && std::isfinite(b.centre.y) && std::isfinite(b.centre.z));
            EXPECT_LE(std::abs(b.centre.x) + b.half.x, kPlayHalfWidth);
            EXPECT_LE(std::abs(b.centre.z) + b.half.z, kPlayHalfWidth);
            EXPECT_LE(b.top(), kPlayTop);
            EXPECT_GE(b.centre.y - b.half.y, 0.0f) << "nothing pokes out below the floor";
        }
        for (const Box& p : platforms) EXPECT_GE(p.half.y * 2.0f, 1.0f) << p.key << ": ground rays need 1 unit";

        const glm::vec3 start(level.getFloat("world", "charStartX", NAN), level.getFloat("world", "charStartY", NAN),
                              level.getFloat("world", "charStartZ", NAN));
        EXPECT_LE(std::abs(start.x), dimX * 0.5f - 1.0f);
        EXPECT_LE(std::abs(start.z), dimZ * 0.5f - 1.0f);
        EXPECT_FLOAT_EQ(start.y, 1.5f) << "the character starts standing on the floor";
        EXPECT_TRUE(start.z >= kBandFar && start.z <= kBandNear)
            << "start z " << start.z << " puts the camera behind a screen";
        // Every platform top is a place to stand, so its middle lies in the band too.
        for (const Box& p : platforms)
            EXPECT_TRUE(p.centre.z >= kBandFar && p.centre.z <= kBandNear) << p.key << " z " << p.centre.z;

        // Somewhere to stand inside the power-up's trigger box.
        bool powerUpStand = false;
        for (const Box& p : platforms)
            powerUpStand |= p.footprintHolds(kPowerUp.x, kPowerUp.z) && std::abs(p.top() + 1.0f - kPowerUp.y) < 1.0f;
        EXPECT_TRUE(powerUpStand) << "no platform to stand on at the power-up";

        // Somewhere to stand inside the goal sphere, under the flag's pad.
        const glm::vec3 goal(level.getFloat("goal", "goalX", NAN), level.getFloat("goal", "goalY", NAN),
                             level.getFloat("goal", "goalZ", NAN));
        const float goalRadius = settings.getFloat("elements", "goalX", 1.0f) * 0.5f;
        bool goalStand = false;
        for (const Box& p : platforms)
            goalStand |= p.footprintHolds(goal.x, goal.z) &&
                         glm::distance(glm::vec3(goal.x, p.top() + 1.0f, goal.z), goal) < goalRadius;
        EXPECT_TRUE(goalStand) << "no platform to stand on inside the goal";
        EXPECT_LE(std::abs(goal.x), kPlayHalfWidth);
        EXPECT_LE(std::abs(goal.z), kPlayHalfWidth);
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kShippedLevels));
}

}  // namespace
