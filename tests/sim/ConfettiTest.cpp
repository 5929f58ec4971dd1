#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include "sim/gameplay/Character.h"
#include "sim/gameplay/ConfettiBurst.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/level/Platform.h"
#include "support/TempIni.h"

TEST(Confetti, SpawnLaysAFiveByFiveGridZMajor)
{
    TestWorld t("");
    ConfettiBurst burst;
    const size_t before = t.world->bodyCount();
    EXPECT_FALSE(burst.active);
    EXPECT_TRUE(burst.pieces.empty());

    burst.spawn(t.world.get(), {0, 10, 0}, 7);
    EXPECT_TRUE(burst.active);
    ASSERT_EQ(burst.pieces.size(), 25u);
    EXPECT_EQ(t.world->bodyCount(), before + 25);
    for (int i = 0; i < 5; ++i) {
        for (int j = 0; j < 5; ++j) {
            const Confetti& piece = burst.pieces[i * 5 + j];
            EXPECT_EQ(piece.currentPosition(), glm::vec3(j, 10, i));
            EXPECT_EQ(piece.geometry.position, glm::vec3(j, 10, i));
            EXPECT_EQ(piece.geometry.size, glm::vec3(2));
            EXPECT_EQ(piece.geometry.texture, 7u);
        }
    }
}

TEST(Confetti, PiecesRestOnAPlatformAndAreGroundForTheCharacter)
{
    TestWorld t("[world]\ncharStartX = 30\ncharStartY = 1.5\ncharStartZ = 0\n");
    Platform floor({0, 0, 0}, {50, 0.5f, 50}, 0, t.world.get());
    Character character(t.world.get());
    ConfettiBurst burst;
    burst.spawn(t.world.get(), {28, 5, -2}, 0);
    t.step(300);
    for (const Confetti& piece : burst.pieces) {
        const glm::vec3 p = piece.currentPosition();
        EXPECT_GT(p.y, 0.9f) << "pieces do not sink into the platform";
        EXPECT_LT(p.y, 12.0f);
        EXPECT_LT(glm::length(PhysicsWorld::velocityOf(piece.actor)), 0.5f) << "pieces come to rest";
    }

    // Put the character on top of one piece; the ground ray meets that piece.
    const Confetti& piece = burst.pieces[12];
    const glm::vec3 top = piece.currentPosition();
    btTransform pose = character.body->getWorldTransform();
    pose.setOrigin(btVector3(top.x, top.y + 2.2f, top.z));
    character.body->setWorldTransform(pose);
    character.body->setLinearVelocity(btVector3(0, 0, 0));
    const glm::vec3 p = character.getPosition();
    const RayHit ground = t.world->raycast({p.x, p.y - 1.5f, p.z}, {0, -1, 0}, 100.0f);
    ASSERT_TRUE(ground.hit);
    bool onConfetti = false;
    for (const Confetti& c : burst.pieces) onConfetti |= ground.object == c.actor;
    EXPECT_TRUE(onConfetti);
    EXPECT_LT(ground.distance, 1.0f);
    const float before = PhysicsWorld::velocityOf(character.body).y;
    character.jump();
    EXPECT_NEAR(PhysicsWorld::velocityOf(character.body).y - before, 37.5f, 1e-3f);
}
