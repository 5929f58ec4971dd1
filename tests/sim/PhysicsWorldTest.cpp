#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <cmath>
#include <tuple>
#include <vector>

#include <glm/geometric.hpp>

#include "sim/physics/PhysicsWorld.h"
#include "support/TestWorld.h"

namespace {

struct RecordingCallback : SimulationCallback {
    void onTrigger(const TriggerPair* pairs, uint32_t n) override { reports.emplace_back(pairs, pairs + n); }
    std::vector<std::vector<TriggerPair>> reports;
};

// A confetti-like 2x2x2 box: mass 0.5, restitution 0.5.
btRigidBody* dropBox(TestWorld& t, const glm::vec3& at)
{
    return t.world->createDynamicBox(at, glm::vec3(1), 0.5f, PhysicsMaterial{1.0f, 1.0f, 0.5f}, 0.5f);
}

btRigidBody* solid(TestWorld& t, const glm::vec3& at, const glm::vec3& halfExtents, ShapeRole role = ShapeRole::Solid)
{
    return t.world->createStaticBox(at, halfExtents, t.world->worldMaterial, role);
}

}  // namespace

TEST(PhysicsWorld, CharacterNeverTurnsLosesAFifthOfDtPerStepAndIsCappedAtOneThousand)
{
    TestWorld t("[physics]\ngravity = 0\n");
    btRigidBody* body = t.world->getCharacterBody();
    body->applyImpulse(btVector3(70, 0, 0), btVector3(0, 1, 0));  // 10 a second, off-centre: a free body would spin
    t.step(60);                                                    // Bullet's own damping would leave 8
    EXPECT_NEAR(PhysicsWorld::velocityOf(body).x, 10.0f * std::pow(1.0f - 0.2f / 60.0f, 60.0f), 1e-3f);
    EXPECT_EQ(body->getAngularVelocity().length(), 0.0f);
}

// Impulses piled up before a step (movement keys held before the first jump)
// never carry the character further than the cap allows in that step, not
// even when the solver also pushes it out of a floor it starts sunk into.
TEST(PhysicsWorld, TheSpeedCapActsBeforeTheStepMovesTheCharacterAndAfterIt)
{
    for (const char* gravity : {"0", "50", "10000"}) {
        for (const glm::vec3& direction : {glm::vec3(1, 0, 0), glm::vec3(0, 1, 0), glm::vec3(0, 0.6f, 0.8f)}) {
            TestWorld t(std::string("[world]\ncharStartY = 1.2\n[physics]\ngravity = ") + gravity + "\n");
            solid(t, glm::vec3(0), glm::vec3(50, 0.5f, 50));
            btRigidBody* body = t.world->getCharacterBody();
            const glm::vec3 before = PhysicsWorld::positionOf(body);
            t.world->applyImpulse(body, 7.0f * 2571.0f * direction);
            t.step();
            const float moved = glm::distance(PhysicsWorld::positionOf(body), before);
            EXPECT_LE(moved, 1000.0f / 60.0f * 1.00001f) << gravity << " " << direction.y;
            EXPECT_GT(moved, 16.0f) << gravity << " " << direction.y;
            EXPECT_NEAR(glm::length(PhysicsWorld::velocityOf(body)), 1000.0f, 0.5f);
        }
    }
}

TEST(PhysicsWorld, TouchingMaterialsAverageTheirRestitution)
{
    // Confetti (0.5) on the floor (0): the average 0.25 bounces, a product would not.
    TestWorld t("");
    solid(t, {0, 0, 0}, {20, 0.5f, 20});
    btRigidBody* box = dropBox(t, {0, 6, 0});
    float highestUpwardSpeed = 0.0f;
    for (int i = 0; i < 120; ++i, t.step())
        highestUpwardSpeed = std::max(highestUpwardSpeed, PhysicsWorld::velocityOf(box).y);
    EXPECT_GT(highestUpwardSpeed, 2.0f);
    EXPECT_NEAR(PhysicsWorld::positionOf(box).y, 1.5f, 0.1f);
}

TEST(PhysicsWorld, MoreContactsThanThePoolsHoldStillSettleEveryBox)
{
    // 400 boxes on the floor need more contact manifolds than the world keeps pooled.
    TestWorld t("");
    solid(t, {0, 0, 0}, {30, 0.5f, 30});
    std::vector<btRigidBody*> boxes;
    for (int i = 0; i < 400; ++i) boxes.push_back(dropBox(t, {(i % 20) * 2.5f - 24.0f, 2.0f, (i / 20) * 2.5f - 24.0f}));
    t.step(120);
    EXPECT_GT(t.world->scene->getDispatcher()->getNumManifolds(), 256);  // the pools' size
    for (btRigidBody* box : boxes) ASSERT_NEAR(PhysicsWorld::positionOf(box).y, 1.5f, 0.1f);
}

TEST(PhysicsWorld, RayHitsTheClosestSolidPastTriggersAndTheCharacter)
{
    TestWorld t("[physics]\ngravity = 0\n[world]\ncharStartZ = 0\n");
    t.world->getCharacterBody();  // at y = 50
    solid(t, {0, 0, 0}, {5, 0.5f, 5});
    btRigidBody* upper = solid(t, {0, 5, 0}, {1, 0.5f, 1});
    solid(t, {0, 10, 0}, {2, 2, 2}, ShapeRole::Trigger);
    const RayHit hit = t.world->raycast({0, 60, 0}, {0, -1, 0}, 100.0f);
    EXPECT_EQ(std::tuple(hit.object, hit.distance, hit.normal, hit.position.y),
              std::tuple(upper, 54.5f, glm::vec3(0, 1, 0), 5.5f));
    EXPECT_EQ(t.world->raycast({1, 0.2f, 1}, {0, -1, 0}, 100.0f).distance, 0.0f) << "starting inside a box";
    t.world->disableSimulation(upper);  // it no longer collides (see the trigger test) but rays still find it
    EXPECT_EQ(t.world->raycast({0, 30, 0}, {0, -1, 0}, 100.0f).object, upper);
}

TEST(PhysicsWorld, TriggerReportsABodyEnteringAndLeavingOnceAndIgnoresTheRest)
{
    RecordingCallback callback;
    TestWorld t("[physics]\ngravity = 0\n", &callback);
    btRigidBody* trigger =
        t.world->createStaticBox({0, 0, 0}, {3, 1, 3}, t.world->worldMaterial, ShapeRole::Trigger, BodyTag::PowerUp);
    // Never reported: a static box and a trigger inside it, a disabled body inside it, a body a hair beside it.
    solid(t, {2.5f, 0, 0}, glm::vec3(0.5f));
    solid(t, {2.5f, 0, 2.5f}, glm::vec3(0.5f), ShapeRole::Trigger);
    t.world->disableSimulation(dropBox(t, {-2, 0, 0}));
    dropBox(t, {0, 0, 4.01f});
    t.world->disableSimulation(solid(t, {0, -8, 0}, glm::vec3(5, 0.5f, 5)));  // stops nothing any more
    btRigidBody* box = dropBox(t, {0, 6, 0});
    box->setLinearVelocity(btVector3(0, -20, 0));
    t.step(60);
    EXPECT_LT(PhysicsWorld::positionOf(box).y, -10.0f) << "triggers stop nothing";
    ASSERT_EQ(callback.reports.size(), 2u);
    ASSERT_EQ(std::pair(callback.reports[0].size(), callback.reports[1].size()), std::pair(size_t{1}, size_t{1}));
    const TriggerPair& in = callback.reports[0][0];
    EXPECT_EQ(std::tuple(in.touchFound, in.triggerBody, in.triggerTag, in.otherBody, in.otherTag),
              std::tuple(true, trigger, BodyTag::PowerUp, box, BodyTag::None));
    EXPECT_FALSE(callback.reports[1][0].touchFound);
}
