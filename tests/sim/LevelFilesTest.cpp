// The shipped level files are well formed: every element type is in the
// settings' catalogue, everything lies inside the framed play space and the
// camera band, the names differ, and the power-up and the goal can be stood on.
#include <gtest/gtest.h>

#include <iostream>

#include <cmath>
#include <set>
#include <string>
#include <vector>

#include <glm/geometric.hpp>
#include <glm/vec3.hpp>

#include "core/IniFile.h"

namespace {

const std::string kRoot = VAULTRISE_SOURCE_DIR;
// The two screens frame x within +-160 at z = +-80; the levels keep well inside.
constexpr float kPlayHalfWidth = 60.0f;
// The band of z the character keeps to: the game camera follows 50 further out
// along z, and beyond about z = 18 (or -15 on the other side) it ends up behind
// one of the tilted video screens.
constexpr float kBandNear = 18.0f, kBandFar = -15.0f;

struct Box {
    std::string key;
    glm::vec3 centre, half;
    float top() const { return centre.y + half.y; }
    bool under(float x, float z) const { return std::abs(x - centre.x) <= half.x && std::abs(z - centre.z) <= half.z; }
};

glm::vec3 point(const IniFile& ini, const std::string& section, const std::string& key, const char* x,
                const char* y, const char* z)
{
    return {ini.getFloat(section, key + x, NAN), ini.getFloat(section, key + y, NAN), ini.getFloat(section, key + z, NAN)};
}

std::vector<Box> boxes(const IniFile& level, const IniFile& settings, const std::string& section,
                       const std::string& prefix, const std::string& catalogue)
{
    std::vector<Box> all;
    for (long i = 0; i < level.getInt(section, "total", 0); ++i) {
        const std::string key = prefix + std::to_string(i);
        EXPECT_TRUE(level.has(section, key + "type")) << key << " is not fully written out";
        const std::string size = catalogue + level.getString(section, key + "type", "regular");
        EXPECT_TRUE(settings.has("elements", size + "X") && settings.has("elements", size + "Z")) << size;
        all.push_back({key, point(level, section, key, "x", "y", "z"), 0.5f * point(settings, "elements", size, "X", "Y", "Z")});
    }
    return all;
}

TEST(ShippedLevelFiles, ParseAndStayInsideThePlaySpace)
{
    const IniFile settings(kRoot + "/assets/settings/settings.ini", std::cout);
    ASSERT_TRUE(settings.loaded());
    std::set<std::string> names;
    for (int n = 0; n < 5; ++n) {
        SCOPED_TRACE("level" + std::to_string(n));
        const IniFile level(kRoot + "/assets/settings/level" + std::to_string(n) + ".ini", std::cout);
        ASSERT_TRUE(level.loaded());
        EXPECT_TRUE(names.insert(level.getString("general", "name", "")).second) << "name missing or used twice";
        EXPECT_GT(level.getFloat("world", "voidSpeed", NAN), 0.0f);
        EXPECT_GT(level.getFloat("physics", "gravity", NAN), 0.0f);

        const std::vector<Box> platforms = boxes(level, settings, "platforms", "platform", "plat_");
        std::vector<Box> all = boxes(level, settings, "walls", "wall", "wall_");
        all.insert(all.end(), platforms.begin(), platforms.end());
        EXPECT_GE(platforms.size(), 8u);
        for (const Box& b : all) {
            SCOPED_TRACE(b.key);
            EXPECT_LE(std::abs(b.centre.x) + b.half.x, kPlayHalfWidth);
            EXPECT_LE(std::abs(b.centre.z) + b.half.z, kPlayHalfWidth);
            EXPECT_LE(b.top(), 140.0f);
            EXPECT_GE(b.centre.y - b.half.y, 0.0f) << "nothing pokes out below the floor";
        }
        for (const Box& p : platforms) {
            EXPECT_GE(p.half.y * 2.0f, 1.0f) << p.key << ": ground rays need 1 unit";
            EXPECT_TRUE(p.centre.z >= kBandFar && p.centre.z <= kBandNear) << p.key << " z " << p.centre.z;
        }
        const glm::vec3 start = point(level, "world", "charStart", "X", "Y", "Z");
        EXPECT_LE(std::abs(start.x), level.getFloat("world", "dimensionX", NAN) * 0.5f - 1.0f);
        EXPECT_FLOAT_EQ(start.y, 1.5f) << "the character starts standing on the floor";
        EXPECT_TRUE(start.z >= kBandFar && start.z <= kBandNear) << "start z " << start.z;

        // Somewhere to stand inside the power-up's trigger box and inside the goal sphere.
        const glm::vec3 powerUp(-10.0f, 32.0f, 5.0f);
        const glm::vec3 goal = point(level, "goal", "goal", "X", "Y", "Z");
        const float goalRadius = settings.getFloat("elements", "goalX", 1.0f) * 0.5f;
        bool powerUpStand = false, goalStand = false;
        for (const Box& p : platforms) {
            powerUpStand |= p.under(powerUp.x, powerUp.z) && std::abs(p.top() + 1.0f - powerUp.y) < 1.0f;
            goalStand |= p.under(goal.x, goal.z) && glm::distance(glm::vec3(goal.x, p.top() + 1.0f, goal.z), goal) < goalRadius;
        }
        EXPECT_TRUE(powerUpStand) << "no platform to stand on at the power-up";
        EXPECT_TRUE(goalStand) << "no platform to stand on inside the goal";
    }
}

}  // namespace
