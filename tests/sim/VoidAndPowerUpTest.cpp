#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "gameplay/ConfettiBurst.h"
#include "gameplay/GameManager.h"
#include "gameplay/PhysicsWorld.h"
#include "gameplay/PowerUp.h"
#include "gameplay/VoidHandler.h"
#include "gameplay/VoidState.h"
#include "level/Geometry.h"
#include "support/CaptureStdout.h"
#include "support/TempIni.h"

namespace {

constexpr float kStep = 1.0f / 60.0f;
constexpr const char* kAppliedLine = "VoidHandler::applyPowerUp()\n";

}  // namespace

TEST(VoidHandler, ConstructionResetsTheVoidAndSpeedIsPerHundred)
{
    VoidState state{3.0f, true};
    Geometry plane({0, 0, 0}, {300, 0.01f, 100}, 0);
    VoidHandler handler(2.5f, &plane, &state);
    EXPECT_FLOAT_EQ(handler.speed, 0.025f);
    EXPECT_EQ(handler.plane, &plane);
    EXPECT_FLOAT_EQ(state.voidHeight, -10.0f);
    EXPECT_FALSE(state.powerUpUsed);
}

TEST(VoidHandler, RisesAtItsSpeedPerSecond)
{
    VoidState state;
    VoidHandler rising(1.0f, nullptr, &state);
    for (int i = 0; i < 60; ++i) rising.rise(kStep);
    EXPECT_NEAR(state.voidHeight, -9.0f, 1e-4f);

    VoidHandler still(0.0f, nullptr, &state);
    for (int i = 0; i < 60; ++i) still.rise(kStep);
    EXPECT_EQ(state.voidHeight, -10.0f);

    VoidHandler sinking(-3.0f, nullptr, &state);
    sinking.rise(1.0f);
    EXPECT_NEAR(state.voidHeight, -13.0f, 1e-5f);
}

TEST(VoidHandler, PowerUpLowersTheVoidOnlyOnce)
{
    VoidState state;
    std::ostringstream out;
    VoidHandler::applyPowerUp(state, out);
    VoidHandler::applyPowerUp(state, out);
    EXPECT_EQ(out.str(), kAppliedLine);
    EXPECT_FLOAT_EQ(state.voidHeight, -17.0f);
    EXPECT_TRUE(state.powerUpUsed);
}

TEST(GameManager, FirstPairWithUserDataAppliesThePowerUpOnce)
{
    VoidState state;
    GameManager manager(false, "../assets", &state);
    int power = 0;
    TriggerPair plain;
    TriggerPair withData;
    withData.triggerUserData = &power;
    TriggerPair other;
    other.otherUserData = &power;

    std::string out = captureStdout([&] { manager.onTrigger(&plain, 1); });
    EXPECT_EQ(out, "");
    EXPECT_FALSE(state.powerUpUsed);

    const TriggerPair two[] = {plain, withData, other};
    out = captureStdout([&] {
        manager.onTrigger(two, 3);
        manager.onTrigger(two, 3);
    });
    EXPECT_EQ(out, kAppliedLine);
    EXPECT_FLOAT_EQ(state.voidHeight, -17.0f);

    // A touch lost counts as well: the pair's status is not examined.
    VoidState fresh;
    GameManager second(false, "", &fresh);
    other.touchFound = false;
    captureStdout([&] { second.onTrigger(&other, 1); });
    EXPECT_TRUE(fresh.powerUpUsed);
}

TEST(PowerUp, TriggerUserDataFollowsTheStoredCopy)
{
    TestWorld t("");
    std::optional<PowerUp> stored;
    stored.emplace(PowerUp({-10, 32, 5}, t.world.get()));
    ASSERT_NE(stored->actor, nullptr);
    EXPECT_EQ(stored->actor->getUserPointer(), &*stored);
    EXPECT_EQ(PhysicsWorld::positionOf(stored->actor), glm::vec3(-10, 32, 5));
    EXPECT_EQ(stored->modelMatrix[3], glm::vec4(-10, 32, 5, 1));
    EXPECT_FALSE(t.world->raycast({-10, 40, 5}, {0, -1, 0}, 100.0f).hit) << "triggers are not hit by rays";
}

TEST(PowerUp, SpinTurnsFiftyDegreesPerSecondAboutY)
{
    TestWorld t("");
    PowerUp power({1, 2, 3}, t.world.get());
    for (int i = 0; i < 18; ++i) power.spin(0.1f);  // 90 degrees
    const glm::vec4 xAxis = power.modelMatrix * glm::vec4(1, 0, 0, 0);
    EXPECT_NEAR(xAxis.x, 0.0f, 1e-4f);
    EXPECT_NEAR(xAxis.z, -1.0f, 1e-4f);
    EXPECT_EQ(power.modelMatrix[3], glm::vec4(1, 2, 3, 1));
}

TEST(PowerUp, InteractPrintsTheId)
{
    TestWorld t("");
    PowerUp power({0, 0, 0}, t.world.get());
    power.id = 4;
    EXPECT_EQ(captureStdout([&] { power.interact(); }), "4\n");
}

// Counts the pairs of each report before the game manager sees it.
struct CountingForwarder : SimulationCallback {
    explicit CountingForwarder(GameManager& manager) : manager(manager) {}
    void onTrigger(const TriggerPair* pairs, uint32_t count) override
    {
        largestReport = std::max(largestReport, count);
        manager.onTrigger(pairs, count);
    }
    GameManager& manager;
    uint32_t largestReport = 0;
};

TEST(PowerUp, FallingCharacterAppliesItOnceThroughThePhysicsWorld)
{
    VoidState state;
    GameManager manager(false, "", &state);
    TestWorld t("[world]\ncharStartX = -10\ncharStartY = 40\ncharStartZ = 5\n", &manager);
    VoidHandler handler(1.0f, nullptr, &state);
    std::optional<PowerUp> power;
    power.emplace(PowerUp({-10, 32, 5}, t.world.get()));
    t.world->getCharacterBody();

    const std::string out = captureStdout([&] { t.step(90); });
    EXPECT_EQ(out, kAppliedLine);
    EXPECT_FLOAT_EQ(state.voidHeight, -17.0f);
    EXPECT_LT(PhysicsWorld::positionOf(t.world->characterBody).y, 20.0f) << "the trigger does not stop it";
}

TEST(PowerUp, TwoBodiesEnteringInOneStepApplyItOnce)
{
    VoidState state;
    GameManager manager(false, "", &state);
    CountingForwarder forwarder(manager);
    TestWorld t("", &forwarder);
    VoidHandler handler(1.0f, nullptr, &state);
    PowerUp power({0, 20, 0}, t.world.get());
    t.world->createDynamicBox({-0.5f, 30, 0}, glm::vec3(0.4f), 0.5f, {1, 1, 0.5f}, 0.5f);
    t.world->createDynamicBox({0.5f, 30, 0}, glm::vec3(0.4f), 0.5f, {1, 1, 0.5f}, 0.5f);

    const std::string out = captureStdout([&] { t.step(90); });
    EXPECT_EQ(forwarder.largestReport, 2u);
    EXPECT_EQ(out, kAppliedLine);
    EXPECT_FLOAT_EQ(state.voidHeight, -17.0f);
}

TEST(PowerUp, FallingConfettiPieceAppliesIt)
{
    VoidState state;
    GameManager manager(false, "", &state);
    TestWorld t("", &manager);
    VoidHandler handler(1.0f, nullptr, &state);
    PowerUp power({0, 20, 0}, t.world.get());
    ConfettiBurst burst;
    std::string out = captureStdout([&] { t.step(10); });
    EXPECT_EQ(out, "");
    burst.spawn(t.world.get(), {-2, 26, -2}, 0);
    out = captureStdout([&] { t.step(90); });
    EXPECT_EQ(out, kAppliedLine);
    EXPECT_TRUE(state.powerUpUsed);
}

TEST(GameManager, SpawnParticlesKeepsEveryBurst)
{
    GameManager manager(true, "/assets", nullptr);
    manager.spawnParticles({1, 2, 3});
    manager.spawnParticles({4, 5, 6});
    ASSERT_EQ(manager.particleBursts.size(), 2u);
    EXPECT_EQ(manager.particleBursts[1].origin, glm::vec3(4, 5, 6));
    EXPECT_EQ(manager.particleBursts[1].positions.size(), static_cast<size_t>(ParticleSeed::kCount));
    EXPECT_EQ(manager.gameState, Playing);
    EXPECT_TRUE(manager.debug);
    EXPECT_EQ(manager.assetPath, "/assets");
}
