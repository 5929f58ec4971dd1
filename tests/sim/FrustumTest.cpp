// The view frustum the culling uses: planes, strict comparisons, and the
// small bounding radius of long boxes.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include "sim/view/Frustum.h"

TEST(Frustum, CornersAndInwardNormalsForACameraLookingDownMinusZ)
{
    Frustum frustum;
    frustum.setProjection(glm::radians(90.0f), 2.0f, 1.0f, 100.0f);
    frustum.setCamera({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -5.0f}, {0.0f, 1.0f, 0.0f});
    EXPECT_LT(glm::distance(frustum.nearTopLeft, glm::vec3(-2.0f, 1.0f, -1.0f)), 1e-4f);
    EXPECT_LT(glm::distance(frustum.farBottomLeft, glm::vec3(-200.0f, -100.0f, -100.0f)), 1e-2f);
    const float s = 1.0f / std::sqrt(2.0f);  // top and bottom lean at 45 degrees
    const float t = 1.0f / std::sqrt(5.0f);  // left and right: slope 2 in x per 1 in z
    const std::pair<int, glm::vec3> expected[] = {
        {Frustum::Top, {0.0f, -s, -s}},         {Frustum::Bottom, {0.0f, s, -s}},
        {Frustum::Left, {t, 0.0f, -2.0f * t}},  {Frustum::Right, {-t, 0.0f, -2.0f * t}},
        {Frustum::Near, {0.0f, 0.0f, -1.0f}},   {Frustum::Far, {0.0f, 0.0f, 1.0f}},
    };
    for (const auto& [plane, normal] : expected) {
        EXPECT_LT(glm::distance(frustum.planes[plane].normal, normal), 1e-4f) << "plane " << plane;
        EXPECT_GT(frustum.planes[plane].distance({0.0f, 0.0f, -50.0f}), 0.0f) << "plane " << plane;
    }
    EXPECT_NEAR(frustum.planes[Frustum::Near].d, -1.0f, 1e-4f);
    EXPECT_NEAR(frustum.planes[Frustum::Far].d, 100.0f, 1e-3f);
}

TEST(Frustum, ComparisonsAreStrictAtThePlanes)
{
    Frustum frustum;
    frustum.setProjection(glm::radians(90.0f), 1.0f, 1.0f, 100.0f);
    frustum.setCamera({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f});
    // The near plane z = -1 and the far plane z = -100 are exact in floats.
    const struct {
        float z, radius;
        Frustum::Result result;
    } cases[] = {
        {-1.0f, 0.0f, Frustum::Inside},          // radius 0 on the plane
        {-0.5f, 0.5f, Frustum::Intersecting},    // touching from outside
        {-0.5f, 0.25f, Frustum::Outside},
        {-1.25f, 0.25f, Frustum::Inside},        // touching from inside
        {-1.2f, 0.25f, Frustum::Intersecting},
        {-102.0f, 2.0f, Frustum::Intersecting},
        {-102.0f, 1.5f, Frustum::Outside},
    };
    for (const auto& c : cases) EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, c.z}, c.radius), c.result) << c.z << " " << c.radius;
}

TEST(Frustum, ALongThinBoxIsCulledWithItsSmallRadiusWhileAnEndIsInView)
{
    Frustum frustum;
    frustum.setProjection(glm::radians(45.0f), 16.0f / 9.0f, 0.1f, 1000.0f);
    frustum.setCamera({0.0f, 0.0f, 10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    // Long along z, 1 x 1 across, centred 50 in front of the eye and 40 to the
    // left, where the view is only about 37 wide each side: the small sphere
    // (the larger of the x and y half sizes) lies outside the left plane ...
    const glm::vec3 halfExtents(0.5f, 0.5f, 60.0f);
    const glm::vec3 centre(-40.0f, 0.0f, -40.0f);
    EXPECT_FLOAT_EQ(boundingRadius({3.0f, 2.0f, 50.0f}), 3.0f);
    EXPECT_FLOAT_EQ(boundingRadius({1.0f, 4.0f, 0.5f}), 4.0f);
    EXPECT_EQ(frustum.testSphere(centre, boundingRadius(halfExtents)), Frustum::Outside);
    // ... while its far end, 60 further along -z, is on screen.
    EXPECT_EQ(frustum.testSphere(centre - glm::vec3(0.0f, 0.0f, 60.0f), 0.0f), Frustum::Inside);
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, 20.0f}, 1.0f), Frustum::Outside) << "behind the camera";
}
