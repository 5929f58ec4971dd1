#include <gtest/gtest.h>

#include <glm/geometric.hpp>
#include <glm/trigonometric.hpp>

#include "sim/view/Frustum.h"

namespace {

// The game's projection looking from (0, 0, 10) towards the origin.
Frustum cameraAtPlusZ()
{
    Frustum frustum;
    frustum.setProjection(glm::radians(45.0f), 16.0f / 9.0f, 0.1f, 1000.0f);
    frustum.setCamera({0.0f, 0.0f, 10.0f}, {0.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f});
    return frustum;
}

}  // namespace

TEST(Frustum, CornersAndInwardNormalsForACameraLookingDownMinusZ)
{
    Frustum frustum;
    frustum.setProjection(glm::radians(90.0f), 2.0f, 1.0f, 100.0f);
    frustum.setCamera({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -5.0f}, {0.0f, 1.0f, 0.0f});

    const float eps = 1e-4f;
    EXPECT_NEAR(glm::distance(frustum.nearTopLeft, glm::vec3(-2.0f, 1.0f, -1.0f)), 0.0f, eps);
    EXPECT_NEAR(glm::distance(frustum.nearBottomRight, glm::vec3(2.0f, -1.0f, -1.0f)), 0.0f, eps);
    EXPECT_NEAR(glm::distance(frustum.farTopRight, glm::vec3(200.0f, 100.0f, -100.0f)), 0.0f, 1e-2f);
    EXPECT_NEAR(glm::distance(frustum.farBottomLeft, glm::vec3(-200.0f, -100.0f, -100.0f)), 0.0f, 1e-2f);

    // A point well inside is on the positive side of every plane.
    const glm::vec3 inside(0.0f, 0.0f, -50.0f);
    for (int i = 0; i < Frustum::PlaneCount; ++i) {
        EXPECT_GT(frustum.planes[i].distance(inside), 0.0f) << "plane " << i;
        EXPECT_NEAR(glm::length(frustum.planes[i].normal), 1.0f, 1e-5f) << "plane " << i;
    }

    const float s = 1.0f / std::sqrt(2.0f);    // top and bottom lean at 45°
    const float t = 1.0f / std::sqrt(5.0f);    // left and right: slope 2 in x per 1 in z
    EXPECT_NEAR(glm::distance(frustum.planes[Frustum::Top].normal, glm::vec3(0.0f, -s, -s)), 0.0f, eps);
    EXPECT_NEAR(glm::distance(frustum.planes[Frustum::Bottom].normal, glm::vec3(0.0f, s, -s)), 0.0f, eps);
    EXPECT_NEAR(glm::distance(frustum.planes[Frustum::Left].normal, glm::vec3(t, 0.0f, -2.0f * t)), 0.0f, eps);
    EXPECT_NEAR(glm::distance(frustum.planes[Frustum::Right].normal, glm::vec3(-t, 0.0f, -2.0f * t)), 0.0f, eps);
    EXPECT_NEAR(glm::distance(frustum.planes[Frustum::Near].normal, glm::vec3(0.0f, 0.0f, -1.0f)), 0.0f, eps);
    EXPECT_NEAR(glm::distance(frustum.planes[Frustum::Far].normal, glm::vec3(0.0f, 0.0f, 1.0f)), 0.0f, eps);
    EXPECT_NEAR(frustum.planes[Frustum::Near].d, -1.0f, eps);
    EXPECT_NEAR(frustum.planes[Frustum::Far].d, 100.0f, 1e-3f);
    EXPECT_EQ(frustum.planes[Frustum::Top].point, frustum.nearTopLeft);
}

TEST(Frustum, ComparisonsAreStrictAtThePlanes)
{
    Frustum frustum;
    frustum.setProjection(glm::radians(90.0f), 1.0f, 1.0f, 100.0f);
    frustum.setCamera({0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, -1.0f}, {0.0f, 1.0f, 0.0f});

    // The near plane is z = −1 with normal (0, 0, −1): exact in floats.
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -1.0f}, 0.0f), Frustum::Inside) << "radius 0 on the plane";
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -0.5f}, 0.5f), Frustum::Intersecting) << "touching from outside";
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -0.5f}, 0.25f), Frustum::Outside);
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -1.25f}, 0.25f), Frustum::Inside) << "touching from inside";
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -1.2f}, 0.25f), Frustum::Intersecting);
    // The far plane z = −100, normal (0, 0, 1).
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -102.0f}, 2.0f), Frustum::Intersecting);
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -102.0f}, 1.5f), Frustum::Outside);
}

TEST(Frustum, ClassifiesSpheresAroundTheGameCamera)
{
    const Frustum frustum = cameraAtPlusZ();
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, 0.0f}, 1.0f), Frustum::Inside);
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, 20.0f}, 1.0f), Frustum::Outside) << "behind the camera";
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, 10.5f}, 0.0f), Frustum::Outside) << "just behind the eye";
    EXPECT_EQ(frustum.testSphere({100.0f, 0.0f, 0.0f}, 1.0f), Frustum::Outside) << "far to the right";
    EXPECT_EQ(frustum.testSphere({0.0f, -100.0f, 0.0f}, 1.0f), Frustum::Outside) << "far below";
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, -2000.0f}, 1.0f), Frustum::Outside) << "beyond far";
    EXPECT_EQ(frustum.testSphere({0.0f, 0.0f, 0.0f}, 50.0f), Frustum::Intersecting) << "larger than the view";
}

TEST(Frustum, ALongThinBoxIsCulledWithItsSmallRadiusWhileAnEndIsInView)
{
    const Frustum frustum = cameraAtPlusZ();
    // Long along z, 1 × 1 across, centred 50 in front of the eye and 40 to the
    // left, where the view is only about 37 wide each side: the small sphere
    // lies outside the left plane ...
    const glm::vec3 halfExtents(0.5f, 0.5f, 60.0f);
    const glm::vec3 centre(-40.0f, 0.0f, -40.0f);
    EXPECT_FLOAT_EQ(boundingRadius(halfExtents), 0.5f);
    EXPECT_FLOAT_EQ(boundingRadius({3.0f, 2.0f, 50.0f}), 3.0f) << "the larger of x and y";
    EXPECT_FLOAT_EQ(boundingRadius({1.0f, 4.0f, 0.5f}), 4.0f);
    EXPECT_EQ(frustum.testSphere(centre, boundingRadius(halfExtents)), Frustum::Outside);
    // ... while its far end, 60 further along −z, is on screen: 110 in front
    // of the eye the view is about 81 wide each side.
    const glm::vec3 farEnd = centre - glm::vec3(0.0f, 0.0f, 60.0f);
    EXPECT_EQ(frustum.testSphere(farEnd, 0.0f), Frustum::Inside);
    // A sphere over the whole length would have been kept.
    EXPECT_NE(frustum.testSphere(centre, halfExtents.z), Frustum::Outside);
}
