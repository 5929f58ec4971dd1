// The character's jumps, and what it meets: confetti to stand on and the power-up to fall through.
#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>
#include <sstream>

#include "sim/gameplay/Character.h"
#include "sim/gameplay/ConfettiBurst.h"
#include "sim/gameplay/GameManager.h"
#include "sim/gameplay/PowerUp.h"
#include "sim/gameplay/VoidState.h"
#include "sim/level/Platform.h"
#include "support/TestWorld.h"

namespace {

// A platform with its top at y = 0.5 and the character above it, at rest on it if `settled`.
struct Stage {
    Stage(float gravity, float startY, bool settled = false)
        : t("[physics]\ngravity = " + std::to_string(gravity) + "\n[world]\ncharStartX = 0\ncharStartY = " +
            std::to_string(startY) + "\ncharStartZ = 0\n"),
          platform({0, 0, 0}, {10, 0.5f, 10}, t.world.get()), character(t.world.get())
    {
        if (settled) t.step(120);
    }
    float jumpGain()  // what one press of the jump key adds to the vertical speed
    {
        const float before = PhysicsWorld::velocityOf(character.body).y;
        jumps.push_back(character.jump());
        return PhysicsWorld::velocityOf(character.body).y - before;
    }
    VoidState state;
    std::ostringstream log;
    GameManager manager{state, log};
    TestWorld t;
    Platform platform;
    Character character;
    std::vector<JumpKind> jumps;  // what each press made
};

}  // namespace

TEST(Character, JumpImpulsesScaleWithGravityLockOutAndEachSaysWhichJumpItWas)
{
    for (const auto& [g, first, second] : {std::tuple{50.0f, 37.5f, 100.0f / 7.0f}, {10.0f, 7.5f, 20.0f / 7.0f}}) {
        Stage s(g, 1.5f, true);
        EXPECT_NEAR(s.jumpGain(), first, 1e-3f) << g;
        s.character.advanceJumpTimers(0.1f);
        EXPECT_NEAR(s.jumpGain(), second, 1e-3f) << g;
        s.character.advanceJumpTimers(0.5f);
        EXPECT_EQ(s.jumpGain(), 0.0f) << "a third press within a second of the second does nothing";
        s.character.advanceJumpTimers(0.6f);
        EXPECT_NEAR(s.jumpGain(), first, 1e-3f) << "once the lockout has run out, a new first jump";
        EXPECT_EQ(s.jumps, (std::vector<JumpKind>{JumpKind::First, JumpKind::Second, JumpKind::None, JumpKind::First}));
    }
}

TEST(Character, JumpNeedsGroundLessThanTenBelowTheRayAndADisabledPlatformCounts)
{
    // The ray starts 1.5 below the centre; the platform's top is at 0.5.
    for (const auto& [startY, gain] : {std::pair{12.0f, 0.0f}, {11.9f, 37.5f}, {200.0f, 0.0f}})
        EXPECT_NEAR(Stage(50.0f, startY).jumpGain(), gain, 1e-3f) << startY;
    Stage s(50.0f, 5.0f);
    s.platform.disableSimulation();
    EXPECT_NEAR(s.jumpGain(), 37.5f, 1e-3f);
    s.t.step(120);
    EXPECT_LT(s.character.getHeight(), -5.0f) << "yet it is fallen through";
}

TEST(Confetti, FiveByFivePiecesLandRestAndAreGroundForTheCharacter)
{
    TestWorld t("[world]\ncharStartX = 30\ncharStartY = 1.5\ncharStartZ = 0\n");
    Platform floor({0, 0, 0}, {50, 0.5f, 50}, t.world.get());
    Character character(t.world.get());
    ConfettiBurst burst;
    burst.spawn(t.world.get(), {28, 5, -2});
    ASSERT_EQ(burst.pieces.size(), 25u);
    t.step(300);
    for (const Confetti& piece : burst.pieces) {
        EXPECT_GT(piece.currentPosition().y, 0.9f) << "pieces do not sink into the platform";
        EXPECT_LT(glm::length(PhysicsWorld::velocityOf(piece.actor)), 0.5f) << "pieces come to rest";
    }
    // Put the character on top of the middle piece: the ground ray meets a piece and a jump is allowed.
    const glm::vec3 top = burst.pieces[12].currentPosition() + glm::vec3(0, 2.2f, 0);
    character.body->getWorldTransform().setOrigin(btVector3(top.x, top.y, top.z));
    const RayHit ground = t.world->raycast(top - glm::vec3(0, 1.5f, 0), {0, -1, 0}, 100.0f);
    EXPECT_TRUE(std::any_of(burst.pieces.begin(), burst.pieces.end(),
                            [&](const Confetti& c) { return c.actor == ground.object; }));
    EXPECT_LT(ground.distance, 1.0f);
    const float before = PhysicsWorld::velocityOf(character.body).y;
    character.jump();
    EXPECT_NEAR(PhysicsWorld::velocityOf(character.body).y - before, 37.5f, 1e-3f);
}

TEST(PowerUp, FallingThroughItLowersTheVoidOnce)
{
    VoidState state;
    std::ostringstream log;
    GameManager manager(state, log);
    TestWorld t("[world]\ncharStartX = -10\ncharStartY = 40\ncharStartZ = 5\n", &manager);
    const PowerUp power({-10, 32, 5}, t.world.get());
    t.world->getCharacterBody();
    t.step(90);  // touch found, then lost
    EXPECT_EQ(takeLog(log), "VoidHandler::applyPowerUp()\n");
    EXPECT_EQ(std::pair(state.voidHeight, state.powerUpUsed), std::pair(-17.0f, true));
}
