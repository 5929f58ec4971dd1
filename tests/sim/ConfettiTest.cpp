#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <algorithm>

#include "sim/gameplay/Character.h"
#include "sim/gameplay/ConfettiBurst.h"
#include "sim/level/Platform.h"
#include "support/TempIni.h"

TEST(Confetti, FiveByFivePiecesLandRestAndAreGroundForTheCharacter)
{
    TestWorld t("[world]\ncharStartX = 30\ncharStartY = 1.5\ncharStartZ = 0\n");
    Platform floor({0, 0, 0}, {50, 0.5f, 50}, 0, t.world.get());
    Character character(t.world.get());
    ConfettiBurst burst;
    burst.spawn(t.world.get(), {28, 5, -2}, 7);
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
