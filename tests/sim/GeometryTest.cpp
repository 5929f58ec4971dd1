#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

#include "sim/physics/PhysicsWorld.h"
#include "sim/level/Geometry.h"
#include "sim/level/Goal.h"
#include "sim/level/Platform.h"
#include "support/TempIni.h"

TEST(Geometry, SizeIsTwiceTheHalfExtentsAndVerticesSitOnThem)
{
    const Geometry box({4, 5, 6}, {1, 2, 3}, 9);
    EXPECT_EQ(box.size, glm::vec3(2, 4, 6));
    EXPECT_EQ(box.texture, 9u);
    EXPECT_EQ(box.model, glm::translate(glm::mat4(1.0f), glm::vec3(4, 5, 6)));
    ASSERT_EQ(box.vertices.size(), 288u);
    for (size_t v = 0; v < 36; ++v) {
        const float* f = &box.vertices[v * 8];
        EXPECT_TRUE(f[0] == 1.0f || f[0] == -1.0f) << v;
        EXPECT_TRUE(f[1] == 2.0f || f[1] == -2.0f) << v;
        EXPECT_TRUE(f[2] == 3.0f || f[2] == -3.0f) << v;
    }
}

TEST(Geometry, FacesRunBackFrontLeftRightBottomTop)
{
    const std::vector<float> v = makeBoxVertices({1, 1, 1});
    const glm::vec3 normals[6] = {{0, 0, -1}, {0, 0, 1}, {-1, 0, 0}, {1, 0, 0}, {0, -1, 0}, {0, 1, 0}};
    for (int face = 0; face < 6; ++face) {
        for (int corner = 0; corner < 6; ++corner) {
            const float* f = &v[(face * 6 + corner) * 8];
            EXPECT_EQ(glm::vec3(f[3], f[4], f[5]), normals[face]) << face;
            // Every corner of a face lies on that face's side.
            EXPECT_EQ(glm::dot(glm::vec3(f[0], f[1], f[2]), normals[face]), 1.0f) << face;
        }
    }
    // Spot checks against the table: left face first corner (-,+,+) uv (1,0);
    // bottom face first corner (-,-,-) uv (0,1); top face fifth (-,+,+) uv (0,0).
    const float left0[8] = {-1, 1, 1, -1, 0, 0, 1, 0};
    const float bottom0[8] = {-1, -1, -1, 0, -1, 0, 0, 1};
    const float top4[8] = {-1, 1, 1, 0, 1, 0, 0, 0};
    const float back2[8] = {1, 1, -1, 0, 0, -1, 1, 1};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(v[(2 * 6 + 0) * 8 + i], left0[i]);
        EXPECT_EQ(v[(4 * 6 + 0) * 8 + i], bottom0[i]);
        EXPECT_EQ(v[(5 * 6 + 4) * 8 + i], top4[i]);
        EXPECT_EQ(v[(0 * 6 + 2) * 8 + i], back2[i]);
    }
}

TEST(Goal, ReachedOnlyStrictlyInsideTheXHalfSize)
{
    TestWorld t("");
    const Goal goal({0, 10, 0}, {1, 5, 1}, 0, t.world.get());
    EXPECT_TRUE(goalReached(goal, {0, 10.99f, 0}));
    EXPECT_FALSE(goalReached(goal, {0, 11.0f, 0}));
    EXPECT_FALSE(goalReached(goal, {0, 14.0f, 0})) << "inside the box but beyond the X half size";
    EXPECT_TRUE(goalReached(goal, {0.5f, 10, 0.5f}));
    EXPECT_EQ(goal.actor->getUserPointer(), nullptr);
    EXPECT_FALSE(t.world->raycast({0, 20, 0}, {0, -1, 0}, 100.0f).hit) << "the goal is a trigger";
}

TEST(Platform, SolidBoxAtItsCentreWithTheWorldMaterial)
{
    TestWorld t("");
    const Platform p({1, 2, 3}, {4, 0.5f, 2}, 5, t.world.get());
    EXPECT_EQ(PhysicsWorld::positionOf(p.actor), glm::vec3(1, 2, 3));
    EXPECT_EQ(p.geometry.position, glm::vec3(1, 2, 3));
    EXPECT_EQ(p.geometry.size, glm::vec3(8, 1, 4));
    EXPECT_FALSE(p.isAnimated);
    EXPECT_FALSE(p.isBlue);
    EXPECT_EQ(p.tiltAngle, 0.0f);
    EXPECT_FLOAT_EQ(p.actor->getFriction(), 0.0f);
    const RayHit hit = t.world->raycast({1, 10, 3}, {0, -1, 0}, 100.0f);
    EXPECT_EQ(hit.object, p.actor);
    EXPECT_FLOAT_EQ(hit.distance, 7.5f);
}

TEST(Platform, TiltTurnsTheDrawingAboutItsOwnCentre)
{
    TestWorld t("");
    Platform screen({0, 50, 80}, {160, 90, 0.1f}, 0, t.world.get());
    EXPECT_EQ(screen.drawMatrix(), screen.geometry.model);
    screen.tiltAngle = 20.0f;
    const glm::mat4 m = screen.drawMatrix();
    EXPECT_EQ(m * glm::vec4(0, 0, 0, 1), glm::vec4(0, 50, 80, 1));
    const glm::vec4 up = m * glm::vec4(0, 1, 0, 0);
    EXPECT_NEAR(up.y, std::cos(20.0f * 0.017453292f), 1e-6f);
    EXPECT_NEAR(up.z, std::sin(20.0f * 0.017453292f), 1e-6f);
    // The physics box stays axis-aligned.
    EXPECT_EQ(t.world->raycast({100, 200, 80}, {0, -1, 0}, 100.0f).distance, 60.0f);
}
