// What the character's sphere meets in a physics step: the ground it lands on
// (once, at the speed it hit) and the sides it bumps into, read from the
// step's contact points without changing the world.
#include <gtest/gtest.h>

#include <vector>

#include <btBulletDynamicsCommon.h>

#include "sim/gameplay/Character.h"
#include "sim/level/Platform.h"
#include "sim/physics/CharacterContacts.h"
#include "support/TestWorld.h"

namespace {

struct Met {
    std::vector<float> landings, bumps;  // impact speeds
    std::vector<float> closing;          // the downward (or +x) speed before each landing (or bump) step
    bool grounded = false;
};

// Steps the world `steps` times, pushing the sphere along +x by `push` each step.
Met run(TestWorld& t, Character& character, int steps, float push)
{
    CharacterContacts contacts;
    Met met;
    for (int i = 0; i < steps; ++i) {
        if (push != 0.0f) t.world->applyImpulse(character.body, glm::vec3(push, 0.0f, 0.0f));
        const glm::vec3 before = PhysicsWorld::velocityOf(character.body);
        t.step();
        const ContactStep step = contacts.afterStep(*t.world, before);
        met.grounded = step.grounded;
        if (step.landingSpeed > 0.0f) met.landings.push_back(step.landingSpeed), met.closing.push_back(-before.y);
        if (step.bumpSpeed > 0.0f) met.bumps.push_back(step.bumpSpeed), met.closing.push_back(before.x);
    }
    return met;
}

}  // namespace

TEST(CharacterContacts, AFallEndsInOneLandingAtTheSpeedItHitAndRestingMeetsNothingMore)
{
    TestWorld t("[physics]\ngravity = 50\n[world]\ncharStartX = 0\ncharStartY = 12\ncharStartZ = 0\n");
    const Platform ground({0, 0, 0}, {20, 0.5f, 20}, t.world.get());
    Character character(t.world.get());
    const Met met = run(t, character, 180, 0.0f);
    ASSERT_EQ(met.landings.size(), 1u);
    EXPECT_GT(met.landings[0], 10.0f) << "a fall of ten units hits hard";
    EXPECT_NEAR(met.landings[0], met.closing[0], 1e-3f) << "the impact speed is the speed towards the ground";
    EXPECT_TRUE(met.bumps.empty());
    EXPECT_TRUE(met.grounded) << "resting on the ground";
}

TEST(CharacterContacts, FlyingIntoAWallIsOneBumpAtItsSpeedAndTouchingOnIsNoMore)
{
    TestWorld t("[physics]\ngravity = 0\n[world]\ncharStartX = 4\ncharStartY = 5\ncharStartZ = 0\n");
    const Platform wall({12, 5, 0}, {1, 5, 5}, t.world.get());
    Character character(t.world.get());
    character.body->setLinearVelocity(btVector3(20.0f, 0.0f, 0.0f));
    const Met met = run(t, character, 120, 0.0f);
    ASSERT_EQ(met.bumps.size(), 1u);
    EXPECT_GT(met.bumps[0], 15.0f);
    EXPECT_LE(met.bumps[0], 20.0f) << "the sphere's damping only slows it";
    EXPECT_NEAR(met.bumps[0], met.closing[0], 1e-3f) << "the wall's normal is -x";
    EXPECT_TRUE(met.landings.empty()) << "a wall is no ground";
    EXPECT_FALSE(met.grounded);
}

TEST(CharacterContacts, NoWorldOrNoSphereMeetsNothing)
{
    TestWorld t("[world]\ncharStartY = 3\n");
    CharacterContacts contacts;
    const ContactStep step = contacts.afterStep(*t.world, glm::vec3(0.0f, -50.0f, 0.0f));
    EXPECT_FALSE(step.grounded);
    EXPECT_EQ(step.landingSpeed + step.bumpSpeed, 0.0f);
}
