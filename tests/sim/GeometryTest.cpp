#include <gtest/gtest.h>

#include <glm/geometric.hpp>

#include "sim/level/Geometry.h"
#include "sim/view/FlagPlacement.h"

TEST(Geometry, FacesRunBackFrontLeftRightBottomTopWithCornersOnTheHalfExtents)
{
    const std::vector<float> v = makeBoxVertices({1, 2, 3});
    ASSERT_EQ(v.size(), 288u);
    const glm::vec3 normals[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}};
    for (int i = 0; i < 36; ++i) {
        const glm::vec3 corner(v[i * 8], v[i * 8 + 1], v[i * 8 + 2]);
        EXPECT_EQ(glm::vec3(v[i * 8 + 3], v[i * 8 + 4], v[i * 8 + 5]), normals[i / 6]) << i;
        EXPECT_EQ(glm::abs(corner), glm::vec3(1, 2, 3)) << i;
        EXPECT_GT(glm::dot(corner, normals[i / 6]), 0.0f) << i << " lies on its own face";
    }
    // Texture corners: the left face's first corner (-,+,+) takes (1,0), the top face's fifth (-,+,+) (0,0).
    EXPECT_EQ(glm::vec2(v[12 * 8 + 6], v[12 * 8 + 7]), glm::vec2(1, 0));
    EXPECT_EQ(glm::vec2(v[34 * 8 + 6], v[34 * 8 + 7]), glm::vec2(0, 0));
}

TEST(FlagPlacement, MovesThenTurnsAQuarterAboutY)
{
    const glm::mat4 model = flagModelMatrix({-5.0f, 80.0f, -25.0f});
    const glm::vec3 origin(model * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_LT(glm::distance(origin, glm::vec3(-25.0f, 80.0f, 5.0f)), 1e-4f);
    // One unit along the model's x ends one unit along world −z.
    const glm::vec3 alongX(model * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_LT(glm::distance(alongX, glm::vec3(-25.0f, 80.0f, 4.0f)), 1e-4f);
}
