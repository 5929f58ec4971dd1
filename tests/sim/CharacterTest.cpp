#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "sim/gameplay/Character.h"
#include "sim/gameplay/GameManager.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/gameplay/VoidState.h"
#include "sim/level/Platform.h"
#include "support/TempIni.h"

namespace {

// A world with a 1-thick platform whose top is at y = 0.5 and the character
// at the given height above the origin.
struct Stage {
    Stage(float gravity, float startY)
        : t("[physics]\ngravity = " + std::to_string(gravity) + "\n[world]\ncharStartX = 0\ncharStartY = " +
            std::to_string(startY) + "\ncharStartZ = 0\n"),
          platform({0, 0, 0}, {10, 0.5f, 10}, 0, t.world.get()),
          character(t.world.get())
    {
    }
    float verticalSpeed() const { return PhysicsWorld::velocityOf(character.body).y; }
    TestWorld t;
    Platform platform;
    Character character;
};

// Lets the character settle onto the platform.
void settle(Stage& s)
{
    s.t.step(120);
    s.character.body->setLinearVelocity(btVector3(0, 0, 0));
}

}  // namespace

TEST(Character, JumpImpulsesScaleWithGravity)
{
    for (const auto& [g, first, second] : {std::tuple{50.0f, 37.5f, 100.0f / 7.0f}, std::tuple{10.0f, 7.5f, 20.0f / 7.0f}}) {
        Stage s(g, 1.5f);
        settle(s);
        ASSERT_NEAR(s.character.getHeight(), 1.5f, 0.05f) << "standing on the 1-thick platform";

        float before = s.verticalSpeed();
        s.character.jump();
        EXPECT_NEAR(s.verticalSpeed() - before, first, 1e-3f) << "gravity " << g;
        EXPECT_FLOAT_EQ(s.character.jumpCooldown, 0.5f);

        s.character.advanceJumpTimers(0.1f);
        before = s.verticalSpeed();
        s.character.jump();
        EXPECT_NEAR(s.verticalSpeed() - before, second, 1e-3f) << "gravity " << g;
        EXPECT_FLOAT_EQ(s.character.jumpCooldown, 1.0f);
        EXPECT_FLOAT_EQ(s.character.secondJumpCooldown, 1.0f);

        // A third press within the following second does nothing.
        s.character.advanceJumpTimers(0.5f);
        before = s.verticalSpeed();
        s.character.jump();
        EXPECT_EQ(s.verticalSpeed(), before);
    }
}

TEST(Character, AfterTheFirstLockoutANewFirstJumpIsPossible)
{
    Stage s(50.0f, 1.5f);
    settle(s);
    s.character.jump();
    for (int i = 0; i < 31; ++i) s.character.advanceJumpTimers(1.0f / 60.0f);
    EXPECT_EQ(s.character.jumpCooldown, 0.0f);
    EXPECT_EQ(s.character.secondJumpCooldown, 0.0f);
    const float before = s.verticalSpeed();
    s.character.jump();
    EXPECT_NEAR(s.verticalSpeed() - before, 37.5f, 1e-3f);
}

TEST(Character, GroundTenOrMoreBelowTheRayAllowsNoJump)
{
    // Platform top at 0.5; the ray starts 1.5 below the centre.
    Stage far(50.0f, 12.0f);  // ray origin 10.5: ground exactly 10.0 below
    far.character.jump();
    EXPECT_EQ(far.verticalSpeed(), 0.0f);
    EXPECT_EQ(far.character.jumpCooldown, 0.0f);

    Stage near(50.0f, 11.9f);  // 9.9 below
    near.character.jump();
    EXPECT_NEAR(near.verticalSpeed(), 37.5f, 1e-3f);

    Stage nothing(50.0f, 200.0f);  // no ground within the ray's 100
    nothing.t.world->createStaticBox({0, 0, 0}, glm::vec3(1), nothing.t.world->worldMaterial, ShapeRole::Trigger);
    nothing.character.jump();
    EXPECT_EQ(nothing.verticalSpeed(), 0.0f);
}

TEST(Character, TheCharacterItselfIsNeverGround)
{
    // No platform under this one, only its own sphere along the ray's path.
    TestWorld t("[world]\ncharStartY = 5\n");
    Character character(t.world.get());
    EXPECT_FALSE(t.world->raycast(character.getPosition() + glm::vec3(0, 3, 0), {0, -1, 0}, 100.0f).hit);
    character.jump();
    EXPECT_EQ(PhysicsWorld::velocityOf(character.body).y, 0.0f);
}

TEST(Character, DisabledPlatformIsFallenThroughYetCountsAsGround)
{
    Stage s(50.0f, 5.0f);
    s.platform.disableSimulation();
    s.character.jump();
    EXPECT_NEAR(s.verticalSpeed(), 37.5f, 1e-3f) << "the disabled platform 3 below the ray is ground";
    s.t.step(120);
    EXPECT_LT(s.character.getHeight(), -5.0f);
}

TEST(Character, MovePushesEquallyAlongXAndZ)
{
    Stage s(50.0f, 30.0f);
    s.character.move({1, 0, 1});
    const glm::vec3 v = PhysicsWorld::velocityOf(s.character.body);
    EXPECT_NEAR(v.x, 50.0f * 0.1f / 7.0f, 1e-5f);
    EXPECT_EQ(v.x, v.z);
    EXPECT_EQ(v.y, 0.0f);
    s.character.move({-1, 0, 0});
    s.character.move({-1, 0, 0});
    EXPECT_NEAR(PhysicsWorld::velocityOf(s.character.body).x, v.x - 2.0f * 5.0f / 7.0f, 1e-5f) << "moves add up";
}

TEST(Character, PostStepAndCelebrationImpulses)
{
    Stage s(10.0f, 30.0f);
    s.character.applyPostStepImpulse();
    EXPECT_NEAR(s.verticalSpeed(), -0.2f / 7.0f, 1e-6f);
    s.character.celebrate();
    EXPECT_NEAR(s.verticalSpeed(), -0.2f / 7.0f + 10.0f / 7.0f, 1e-5f);
}

TEST(Character, EachJumpStartsAParticleBurstAboveAndBehind)
{
    VoidState state;
    std::ostringstream log;
    GameManager manager(false, "../assets", &state, log);
    Stage s(50.0f, 1.5f);
    settle(s);
    s.character.gameManager = &manager;
    const glm::vec3 p = s.character.getPosition();
    s.character.jump();
    ASSERT_EQ(manager.particleBursts.size(), 1u);
    EXPECT_EQ(manager.particleBursts[0].origin, glm::vec3(p.x, p.y + 4.0f, p.z + 3.0f));
    EXPECT_EQ(manager.particleBursts[0].positions.size(), 100u);
    s.character.advanceJumpTimers(0.1f);
    s.character.jump();
    s.character.jump();  // locked: no burst
    EXPECT_EQ(manager.particleBursts.size(), 2u);
}

TEST(Character, JumpTimersCountDownThenRestAtZero)
{
    Stage s(50.0f, 30.0f);
    s.character.jumpCooldown = 0.05f;
    s.character.secondJumpCooldown = 0.0f;
    s.character.advanceJumpTimers(0.1f);
    EXPECT_NEAR(s.character.jumpCooldown, -0.05f, 1e-6f);
    EXPECT_EQ(s.character.secondJumpCooldown, 0.0f);
    s.character.advanceJumpTimers(0.1f);
    EXPECT_EQ(s.character.jumpCooldown, 0.0f);
}
