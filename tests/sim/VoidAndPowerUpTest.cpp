#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <optional>
#include <sstream>

#include "sim/gameplay/ConfettiBurst.h"
#include "sim/gameplay/GameManager.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/gameplay/PowerUp.h"
#include "sim/gameplay/VoidHandler.h"
#include "sim/gameplay/VoidState.h"
#include "support/TempIni.h"

namespace {

constexpr const char* kAppliedLine = "VoidHandler::applyPowerUp()\n";

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

// A world whose triggers report to the game manager, with a power-up at `at`.
struct PowerUpRig {
    PowerUpRig(const std::string& level, glm::vec3 at) : t(level, &forwarder) { power.emplace(PowerUp(at, t.world.get())); }
    VoidState state;
    std::ostringstream log;
    GameManager manager{false, "", &state, log};
    CountingForwarder forwarder{manager};
    TestWorld t;
    VoidHandler handler{1.0f, &state};
    std::optional<PowerUp> power;
};

}  // namespace

TEST(VoidHandler, ConstructionResetsTheVoidWhichRisesAtItsSpeedPerSecond)
{
    VoidState state{3.0f, true};
    VoidHandler rising(1.0f, &state);
    EXPECT_FLOAT_EQ(state.voidHeight, -10.0f) << "construction resets the void";
    EXPECT_FALSE(state.powerUpUsed);
    for (int i = 0; i < 60; ++i) rising.rise(1.0f / 60.0f);
    EXPECT_NEAR(state.voidHeight, -9.0f, 1e-4f);

    VoidHandler still(0.0f, &state);
    for (int i = 0; i < 60; ++i) still.rise(1.0f / 60.0f);
    EXPECT_EQ(state.voidHeight, -10.0f);

    VoidHandler sinking(-3.0f, &state);
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
    std::ostringstream log;
    GameManager manager(false, "../assets", &state, log);
    int power = 0;
    TriggerPair plain, withData, other;
    withData.triggerUserData = &power;
    other.otherUserData = &power;

    manager.onTrigger(&plain, 1);
    EXPECT_EQ(takeLog(log), "");
    EXPECT_FALSE(state.powerUpUsed);
    const TriggerPair three[] = {plain, withData, other};
    manager.onTrigger(three, 3);
    manager.onTrigger(three, 3);
    EXPECT_EQ(takeLog(log), kAppliedLine);
    EXPECT_FLOAT_EQ(state.voidHeight, -17.0f);

    // A touch lost counts as well: the pair's status is not examined.
    VoidState fresh;
    GameManager second(false, "", &fresh, log);
    other.touchFound = false;
    second.onTrigger(&other, 1);
    EXPECT_TRUE(fresh.powerUpUsed);
}

TEST(PowerUp, TriggerCarriesTheStoredCopySpinsAndPrintsItsId)
{
    TestWorld t("");
    std::optional<PowerUp> stored;
    stored.emplace(PowerUp({-10, 32, 5}, t.world.get()));
    ASSERT_NE(stored->actor, nullptr);
    EXPECT_EQ(stored->actor->getUserPointer(), &*stored);
    EXPECT_EQ(PhysicsWorld::positionOf(stored->actor), glm::vec3(-10, 32, 5));
    EXPECT_FALSE(t.world->raycast({-10, 40, 5}, {0, -1, 0}, 100.0f).hit) << "triggers are not hit by rays";

    for (int i = 0; i < 18; ++i) stored->spin(0.1f);  // 50 degrees a second: 90 degrees
    const glm::vec4 xAxis = stored->modelMatrix * glm::vec4(1, 0, 0, 0);
    EXPECT_NEAR(xAxis.x, 0.0f, 1e-4f);
    EXPECT_NEAR(xAxis.z, -1.0f, 1e-4f);
    EXPECT_EQ(stored->modelMatrix[3], glm::vec4(-10, 32, 5, 1));

    stored->id = 4;
    std::ostringstream out;
    stored->interact(out);
    EXPECT_EQ(out.str(), "4\n");
}

TEST(PowerUp, FallingCharacterAppliesItOnceThroughThePhysicsWorld)
{
    PowerUpRig rig("[world]\ncharStartX = -10\ncharStartY = 40\ncharStartZ = 5\n", {-10, 32, 5});
    rig.t.world->getCharacterBody();
    rig.t.step(90);
    EXPECT_EQ(takeLog(rig.log), kAppliedLine);
    EXPECT_FLOAT_EQ(rig.state.voidHeight, -17.0f);
    EXPECT_LT(PhysicsWorld::positionOf(rig.t.world->characterBody).y, 20.0f) << "the trigger does not stop it";
}

TEST(PowerUp, TwoBodiesEnteringInOneStepApplyItOnce)
{
    PowerUpRig rig("", {0, 20, 0});
    rig.t.world->createDynamicBox({-0.5f, 30, 0}, glm::vec3(0.4f), 0.5f, {1, 1, 0.5f}, 0.5f);
    rig.t.world->createDynamicBox({0.5f, 30, 0}, glm::vec3(0.4f), 0.5f, {1, 1, 0.5f}, 0.5f);
    rig.t.step(90);
    EXPECT_EQ(takeLog(rig.log), kAppliedLine);
    EXPECT_EQ(rig.forwarder.largestReport, 2u);
    EXPECT_FLOAT_EQ(rig.state.voidHeight, -17.0f);
}

TEST(PowerUp, FallingConfettiPieceAppliesIt)
{
    PowerUpRig rig("", {0, 20, 0});
    ConfettiBurst burst;
    rig.t.step(10);
    EXPECT_EQ(takeLog(rig.log), "");
    burst.spawn(rig.t.world.get(), {-2, 26, -2}, 0);
    rig.t.step(90);
    EXPECT_EQ(takeLog(rig.log), kAppliedLine);
    EXPECT_TRUE(rig.state.powerUpUsed);
}
