// What the character's sphere meets in a physics step: the ground it lands on
// (once, at the speed it hit) and the sides it bumps into, read from the
// step's contact points without changing the world.
#include <gtest/gtest.h>

#include <string>
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

TEST(CharacterContacts, MeetingAWallFlyingOrRollingIsOneBumpAtItsSpeedAndTouchingOnIsNoMore)
{
    struct Case {
        const char* name;
        float gravity, startY;
        bool onGround;
        float slowest;  // rolling on, the floor's friction turns some of the push into spin
    };
    for (const Case c :
         {Case{"flying", 0.0f, 5.0f, false, 15.0f}, Case{"rolling along the floor", 50.0f, 1.5f, true, 5.0f}}) {
        TestWorld t("[physics]\ngravity = " + std::to_string(c.gravity) + "\n[world]\ncharStartX = 4\ncharStartY = " +
                    std::to_string(c.startY) + "\ncharStartZ = 0\n");
        const Platform floor({0, 0, 0}, {20, 0.5f, 20}, t.world.get());
        const Platform wall({12, 5, 0}, {1, 5, 5}, t.world.get());
        Character character(t.world.get());
        run(t, character, 30, 0.0f);  // settled on the floor, or still floating
        character.body->setLinearVelocity(btVector3(20.0f, 0.0f, 0.0f));
        const Met met = run(t, character, 120, 0.0f);
        ASSERT_EQ(met.bumps.size(), 1u) << c.name;
        EXPECT_GT(met.bumps[0], c.slowest) << c.name;
        EXPECT_LE(met.bumps[0], 20.0f) << c.name << ": the sphere's damping only slows it";
        EXPECT_NEAR(met.bumps[0], met.closing.back(), 1e-3f) << c.name << ": the wall's normal is -x";
        EXPECT_TRUE(met.landings.empty()) << c.name << ": a wall is no ground, nor is rolling on";
        EXPECT_EQ(met.grounded, c.onGround) << c.name;
    }
}

TEST(CharacterContacts, NoWorldOrNoSphereMeetsNothing)
{
    TestWorld t("[world]\ncharStartY = 3\n");
    CharacterContacts contacts;
    const ContactStep step = contacts.afterStep(*t.world, glm::vec3(0.0f, -50.0f, 0.0f));
    EXPECT_FALSE(step.grounded);
    EXPECT_EQ(step.landingSpeed + step.bumpSpeed, 0.0f);
}
