#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <tuple>

#include "sim/physics/PhysicsWorld.h"
#include "support/TestWorld.h"

namespace {

using Dbvt = btDbvtBroadphase;

Dbvt& broadphaseOf(TestWorld& t) { return static_cast<Dbvt&>(*t.world->scene->getBroadphase()); }

// The proxies on Bullet's list of resting ones; one not marked as resting counts 1000.
int restingListed(const Dbvt& broadphase)
{
    int n = 0;
    for (btDbvtProxy* p = broadphase.m_stageRoots[Dbvt::STAGECOUNT]; p; p = p->links[1])
        n += p->stage == Dbvt::STAGECOUNT ? 1 : 1000;
    return n;
}

}  // namespace

TEST(RestingTreeFiler, BulletIsTheVersionItWasWrittenAgainst)
{
    // Another Bullet may keep its broadphase otherwise: check RestingTreeFiler.cpp against it first.
    EXPECT_EQ(BT_BULLET_VERSION, 324);
    EXPECT_EQ(btGetVersion(), 324) << "the library linked is not the one the headers name";
}

TEST(RestingTreeFiler, StaticBoxesRestAtOnceYetMeetRaysAndMovingBodies)
{
    TestWorld t("[world]\ncharStartX = 0\ncharStartY = 3\ncharStartZ = 0\n");
    btRigidBody* character = t.world->getCharacterBody();  // the game makes it before the level's boxes
    for (int i = 0; i < 600; ++i)
        t.world->createStaticBox({i * 3.0f + 10.0f, 0, 0}, glm::vec3(1), t.world->worldMaterial, ShapeRole::Solid);
    t.world->createStaticBox({0, 0, 0}, {5, 0.5f, 5}, t.world->worldMaterial, ShapeRole::Solid);
    const Dbvt& b = broadphaseOf(t);
    EXPECT_EQ(std::tuple(b.m_sets[Dbvt::FIXED_SET].m_leaves, b.m_sets[Dbvt::DYNAMIC_SET].m_leaves, restingListed(b)),
              std::tuple(601, 1, 601));
    EXPECT_LT(btDbvt::maxdepth(b.m_sets[Dbvt::FIXED_SET].m_root), 300) << "rebuilt as it grows";
    EXPECT_EQ(t.world->raycast({1000, 50, 0}, {0, -1, 0}, 100.0f).distance, 49.0f) << "box 330";
    t.step(120);
    EXPECT_NEAR(PhysicsWorld::positionOf(character).y, 1.5f, 0.05f);
    EXPECT_EQ(restingListed(b), 601) << "stepping leaves the static boxes resting";
    btRigidBody* late = t.world->createDynamicBox({40, 4, 0}, glm::vec3(0.5f), 0.5f, {}, 0.5f);  // above box 10
    t.step(120);
    EXPECT_NEAR(PhysicsWorld::positionOf(late).y, 1.5f, 0.05f);
}

TEST(RestingTreeFiler, ABoxAddedIntoAMovingBodyIsPairedAtOnceAndPushesItOut)
{
    // Without gravity the character rests where it is: only the new box's own pairing brings the two together.
    TestWorld t("[physics]\ngravity = 0\n[world]\ncharStartX = 0\ncharStartY = 0\ncharStartZ = 0\n");
    btRigidBody* body = t.world->getCharacterBody();
    t.step(5);
    btRigidBody* box = t.world->createStaticBox({0, -1.25f, 0}, {5, 0.5f, 5}, t.world->worldMaterial, ShapeRole::Solid);
    EXPECT_NE(broadphaseOf(t).m_paircache->findPair(box->getBroadphaseHandle(), body->getBroadphaseHandle()), nullptr);
    t.step(30);
    EXPECT_GT(PhysicsWorld::positionOf(body).y, 0.2f);
}
