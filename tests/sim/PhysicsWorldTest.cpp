#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <vector>

#include <glm/geometric.hpp>

#include "sim/physics/PhysicsWorld.h"
#include "support/TempIni.h"

namespace {

constexpr float kStep = 1.0f / 60.0f;

struct RecordingCallback : SimulationCallback {
    void onTrigger(const TriggerPair* pairs, uint32_t count) override
    {
        ++reports;
        for (uint32_t i = 0; i < count; ++i) received.push_back(pairs[i]);
    }
    int reports = 0;
    std::vector<TriggerPair> received;
};

const PhysicsMaterial kBoxMaterial{1.0f, 1.0f, 0.5f};

}  // namespace

TEST(PhysicsWorld, GravityComesFromTheLevelFileAndIsUsedAsWritten)
{
    TestWorld plain("[world]\n");
    EXPECT_FLOAT_EQ(plain.world->gravity, 50.0f);
    EXPECT_FLOAT_EQ(plain.world->scene->getGravity().y(), -50.0f);
    btRigidBody* falling = plain.world->createDynamicBox({0, 100, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);
    plain.world->stepSimulation(0.1f);  // one step advances exactly the given time
    plain.world->fetchSimulationResults();
    EXPECT_NEAR(PhysicsWorld::velocityOf(falling).y, -5.0f, 1e-4f);

    TestWorld earth("[physics]\ngravity = 9.81\n");
    EXPECT_FLOAT_EQ(earth.world->gravity, 9.81f);
    btRigidBody* box = earth.world->createDynamicBox({0, 100, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);
    earth.step();
    EXPECT_NEAR(PhysicsWorld::velocityOf(box).y, -9.81f * kStep, 1e-5f);

    TestWorld upward("[physics]\ngravity = -20\n");
    EXPECT_FLOAT_EQ(upward.world->gravity, -20.0f);
    btRigidBody* riser = upward.world->createDynamicBox({0, 100, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);
    upward.step();
    EXPECT_NEAR(PhysicsWorld::velocityOf(riser).y, 20.0f * kStep, 1e-5f);
}

TEST(PhysicsWorld, DimensionsDefaultToTenAndCharacterStartsAtHalfTheDepth)
{
    TestWorld defaults("");
    EXPECT_FLOAT_EQ(defaults.world->dimensions[0], 10.0f);
    EXPECT_FLOAT_EQ(defaults.world->dimensions[1], 10.0f);
    EXPECT_FLOAT_EQ(defaults.world->dimensions[2], 10.0f);

    TestWorld deep("[world]\ndimensionX = 100\ndimensionY = 80\ndimensionZ = 60\n");
    EXPECT_FLOAT_EQ(deep.world->dimensions[0], 100.0f);
    EXPECT_FLOAT_EQ(deep.world->dimensions[1], 80.0f);
    const glm::vec3 start = PhysicsWorld::positionOf(deep.world->getCharacterBody());
    EXPECT_FLOAT_EQ(start.x, 0.0f);
    EXPECT_FLOAT_EQ(start.y, 50.0f);
    EXPECT_FLOAT_EQ(start.z, 30.0f);

    TestWorld placed("[world]\ncharStartX = 3\ncharStartY = 7\ncharStartZ = -4\n");
    const glm::vec3 p = PhysicsWorld::positionOf(placed.world->getCharacterBody());
    EXPECT_EQ(p, glm::vec3(3, 7, -4));
}

TEST(PhysicsWorld, NonFiniteWorldValuesFallBackToDefaults)
{
    std::unique_ptr<TestWorld> world;
    world = std::make_unique<TestWorld>("[world]\ndimensionZ = nan\ncharStartY = inf\n[physics]\ngravity = nan\n");
    world->world->getCharacterBody();
    const std::string out = world->log.str();
    EXPECT_FLOAT_EQ(world->world->gravity, 50.0f);
    EXPECT_FLOAT_EQ(world->world->dimensions[2], 10.0f);
    EXPECT_FLOAT_EQ(PhysicsWorld::positionOf(world->world->characterBody).y, 50.0f);
    EXPECT_NE(out.find("gravity"), std::string::npos);
    EXPECT_NE(out.find("dimensionZ"), std::string::npos);
    EXPECT_NE(out.find("charStartY"), std::string::npos);
}

TEST(PhysicsWorld, CharacterBodyIsCreatedOnceAndNeverTurns)
{
    TestWorld t("[physics]\ngravity = 0\n");
    const size_t before = t.world->bodyCount();
    btRigidBody* first = t.world->getCharacterBody();
    btRigidBody* second = t.world->getCharacterBody();
    EXPECT_EQ(first, second);
    EXPECT_EQ(t.world->bodyCount(), before + 1);
    EXPECT_FLOAT_EQ(1.0f / first->getInvMass(), 7.0f);
    EXPECT_EQ(first->getActivationState(), DISABLE_DEACTIVATION);

    // An off-centre push would spin a free body; this one keeps its orientation.
    first->applyImpulse(btVector3(0, 0, 50), btVector3(1, 0, 0));
    t.step(10);
    EXPECT_NEAR(first->getWorldTransform().getRotation().getAngle(), 0.0f, 1e-6f);
    EXPECT_EQ(first->getAngularVelocity().length(), 0.0f);
}

TEST(PhysicsWorld, CharacterDampingShrinksSpeedByOneFifthOfDtPerStep)
{
    TestWorld t("[physics]\ngravity = 0\n");
    btRigidBody* body = t.world->getCharacterBody();
    body->setLinearVelocity(btVector3(10, 0, 0));
    t.step();
    EXPECT_NEAR(PhysicsWorld::velocityOf(body).x, 10.0f * (1.0f - 0.2f * kStep), 1e-4f);
    t.step(59);
    EXPECT_NEAR(PhysicsWorld::velocityOf(body).x, 10.0f * std::pow(1.0f - 0.2f * kStep, 60.0f), 1e-3f);
}

TEST(PhysicsWorld, CharacterSpeedIsCappedAtOneThousand)
{
    TestWorld t("[physics]\ngravity = 0\n");
    btRigidBody* body = t.world->getCharacterBody();
    t.world->applyImpulse(body, glm::vec3(7.0f * 5000.0f, 0, 0));
    t.step();
    EXPECT_NEAR(glm::length(PhysicsWorld::velocityOf(body)), 1000.0f, 0.5f);
}

TEST(PhysicsWorld, TouchingMaterialsAverageTheirRestitution)
{
    // Confetti (restitution 0.5) on the floor (0): the average 0.25 bounces,
    // a product (0) would not.
    TestWorld t("");
    t.world->createStaticBox({0, 0, 0}, {20, 0.5f, 20}, t.world->worldMaterial, ShapeRole::Solid);
    btRigidBody* box = t.world->createDynamicBox({0, 6, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);
    float highestUpwardSpeed = 0.0f;
    for (int i = 0; i < 120; ++i) {
        t.step();
        highestUpwardSpeed = std::max(highestUpwardSpeed, PhysicsWorld::velocityOf(box).y);
    }
    EXPECT_GT(highestUpwardSpeed, 2.0f);
    EXPECT_NEAR(PhysicsWorld::positionOf(box).y, 1.5f, 0.1f);
}

TEST(PhysicsWorld, RayCastFindsTheClosestSolidAndSkipsTriggersAndTheCharacter)
{
    TestWorld t("[physics]\ngravity = 0\n[world]\ncharStartX = 0\ncharStartY = 20\ncharStartZ = 0\n");
    t.world->getCharacterBody();
    t.world->createStaticBox({0, 0, 0}, {5, 0.5f, 5}, t.world->worldMaterial, ShapeRole::Solid);
    btRigidBody* upper = t.world->createStaticBox({0, 5, 0}, {1, 0.5f, 1}, t.world->worldMaterial, ShapeRole::Solid);
    t.world->createStaticBox({0, 10, 0}, {2, 2, 2}, t.world->worldMaterial, ShapeRole::Trigger);

    // From above the character straight down through it, the trigger and onto the upper box.
    const RayHit hit = t.world->raycast({0, 30, 0}, {0, -1, 0}, 100.0f);
    ASSERT_TRUE(hit.hit);
    EXPECT_EQ(hit.object, upper);
    EXPECT_FLOAT_EQ(hit.distance, 24.5f);
    EXPECT_EQ(hit.normal, glm::vec3(0, 1, 0));
    EXPECT_FLOAT_EQ(hit.position.y, 5.5f);

    EXPECT_FALSE(t.world->raycast({0, 30, 0}, {0, -1, 0}, 24.0f).hit);
    EXPECT_FALSE(t.world->raycast({0, 30, 0}, {0, 1, 0}, 100.0f).hit);
}

TEST(PhysicsWorld, RayStartingInsideABoxHitsItAtDistanceZero)
{
    TestWorld t("[physics]\ngravity = 0\n");
    btRigidBody* slab = t.world->createStaticBox({0, 0, 0}, {5, 0.5f, 5}, t.world->worldMaterial, ShapeRole::Solid);
    const RayHit inside = t.world->raycast({1, 0.2f, 1}, {0, -1, 0}, 100.0f);
    ASSERT_TRUE(inside.hit);
    EXPECT_EQ(inside.object, slab);
    EXPECT_EQ(inside.distance, 0.0f);

    // A tumbled dynamic box: the origin is inside its rotated volume but
    // outside the axis-aligned box of the same size.
    btRigidBody* piece = t.world->createDynamicBox({20, 0, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);
    btTransform turned = piece->getWorldTransform();
    turned.setRotation(btQuaternion(btVector3(0, 0, 1), SIMD_PI / 4));
    piece->setWorldTransform(turned);
    t.world->scene->updateAabbs();
    const RayHit corner = t.world->raycast({20, 1.3f, 0}, {0, -1, 0}, 100.0f);
    ASSERT_TRUE(corner.hit);
    EXPECT_EQ(corner.object, piece);
    EXPECT_EQ(corner.distance, 0.0f);
    const RayHit outside = t.world->raycast({21.2f, 1.3f, 0}, {0, -1, 0}, 100.0f);
    ASSERT_TRUE(outside.hit);
    EXPECT_EQ(outside.object, piece);
    EXPECT_GT(outside.distance, 0.0f);
}

TEST(PhysicsWorld, DisabledBodyNoLongerCollidesButIsStillHitByRays)
{
    TestWorld t("");
    btRigidBody* shelf = t.world->createStaticBox({0, 0, 0}, {5, 0.5f, 5}, t.world->worldMaterial, ShapeRole::Solid);
    t.world->disableSimulation(shelf);
    btRigidBody* box = t.world->createDynamicBox({0, 3, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);
    EXPECT_EQ(t.world->raycast({0, 3, 0}, {0, -1, 0}, 100.0f).object, box);
    EXPECT_EQ(t.world->raycast({2, 3, 0}, {0, -1, 0}, 100.0f).object, shelf);
    t.step(60);
    EXPECT_LT(PhysicsWorld::positionOf(box).y, -5.0f);
}

TEST(PhysicsWorld, TriggerReportsABodyEnteringAndLeavingOnce)
{
    RecordingCallback callback;
    TestWorld t("", &callback);
    int marker = 0;
    btRigidBody* trigger =
        t.world->createStaticBox({0, 0, 0}, glm::vec3(1), t.world->worldMaterial, ShapeRole::Trigger, &marker);
    btRigidBody* box = t.world->createDynamicBox({0, 6, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);

    // The trigger does not stop the box.
    t.step(60);
    EXPECT_LT(PhysicsWorld::positionOf(box).y, -10.0f);
    ASSERT_EQ(callback.received.size(), 2u);
    EXPECT_EQ(callback.reports, 2);
    EXPECT_TRUE(callback.received[0].touchFound);
    EXPECT_EQ(callback.received[0].triggerBody, trigger);
    EXPECT_EQ(callback.received[0].triggerUserData, &marker);
    EXPECT_EQ(callback.received[0].otherBody, box);
    EXPECT_EQ(callback.received[0].otherUserData, nullptr);
    EXPECT_FALSE(callback.received[1].touchFound);
}

TEST(PhysicsWorld, TriggerIgnoresStaticsOtherTriggersNearMissesAndDisabledBodies)
{
    RecordingCallback callback;
    TestWorld t("[physics]\ngravity = 0\n", &callback);
    t.world->createStaticBox({0, 0, 0}, glm::vec3(1), t.world->worldMaterial, ShapeRole::Trigger);
    t.world->createStaticBox({0, 1, 0}, glm::vec3(1), t.world->worldMaterial, ShapeRole::Solid);
    t.world->createStaticBox({1, 0, 0}, glm::vec3(1), t.world->worldMaterial, ShapeRole::Trigger);
    // Within Bullet's contact margin but not overlapping.
    t.world->createDynamicBox({0, 0, 2.01f}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f);
    // A disabled body inside a trigger.
    t.world->disableSimulation(t.world->createDynamicBox({1, 0.5f, 0}, glm::vec3(1), 0.5f, kBoxMaterial, 0.5f));
    t.step(5);
    EXPECT_EQ(callback.reports, 0);
}

TEST(PhysicsWorld, CleanupTwiceIsHarmless)
{
    TestWorld t("");
    t.world->getCharacterBody();
    t.world->cleanup();
    EXPECT_EQ(t.world->scene, nullptr);
    EXPECT_EQ(t.world->characterBody, nullptr);
    t.world->cleanup();
    EXPECT_EQ(t.world->bodyCount(), 0u);
}

TEST(PhysicsWorld, BoxesAddedAfterTheCharacterStillCarryIt)
{
    // The game creates the character before the level's boxes.
    TestWorld t("[world]\ncharStartX = 0\ncharStartY = 3\ncharStartZ = 0\n");
    btRigidBody* body = t.world->getCharacterBody();
    for (int i = 0; i < 600; ++i)
        t.world->createStaticBox({i * 3.0f + 10.0f, 0, 0}, glm::vec3(1), t.world->worldMaterial, ShapeRole::Solid);
    t.world->createStaticBox({0, 0, 0}, {5, 0.5f, 5}, t.world->worldMaterial, ShapeRole::Solid);
    t.step(120);
    EXPECT_NEAR(PhysicsWorld::positionOf(body).y, 1.5f, 0.05f);
    btRigidBody* second = t.world->createDynamicBox({3, 3, 0}, glm::vec3(0.5f), 0.5f, kBoxMaterial, 0.5f);
    t.step(120);
    EXPECT_NEAR(PhysicsWorld::positionOf(second).y, 1.0f, 0.05f);
}

TEST(PhysicsWorld, BoxAddedIntoABodyAtRestPushesItOut)
{
    // Without gravity the character rests where it is, so only the new box's
    // own pairing can bring the two together.
    TestWorld t("[physics]\ngravity = 0\n[world]\ncharStartX = 0\ncharStartY = 0\ncharStartZ = 0\n");
    btRigidBody* body = t.world->getCharacterBody();
    t.step(5);
    t.world->createStaticBox({0, -1.25f, 0}, {5, 0.5f, 5}, t.world->worldMaterial, ShapeRole::Solid);
    t.step(30);
    EXPECT_GT(PhysicsWorld::positionOf(body).y, 0.2f);
}
