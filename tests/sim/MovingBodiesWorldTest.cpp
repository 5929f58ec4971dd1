#include <gtest/gtest.h>

#include <btBulletDynamicsCommon.h>

#include <cstring>
#include <memory>
#include <vector>

#include "sim/physics/MovingBodiesWorld.h"

namespace {

// One Bullet world with its parts, built the same way for either world class.
template <class World>
struct Scene {
    btDefaultCollisionConfiguration configuration;
    btCollisionDispatcher dispatcher{&configuration};
    btDbvtBroadphase broadphase;
    btSequentialImpulseConstraintSolver solver;
    World world{&dispatcher, &broadphase, &solver, &configuration};
    btBoxShape box{btVector3(1, 0.5f, 1)};
    btBoxShape crate{btVector3(0.5f, 0.5f, 0.5f)};
    btSphereShape ball{0.5f};
    std::vector<std::unique_ptr<btRigidBody>> bodies;
    std::vector<btRigidBody*> movers;
    btRigidBody* lift = nullptr;

    btRigidBody* add(float mass, btCollisionShape& shape, const btVector3& at, int flags = 0)
    {
        btRigidBody::btRigidBodyConstructionInfo info(mass, nullptr, &shape);
        if (mass > 0) shape.calculateLocalInertia(mass, info.m_localInertia);
        info.m_startWorldTransform.setIdentity();
        info.m_startWorldTransform.setOrigin(at);
        info.m_friction = 0.8f;
        bodies.push_back(std::make_unique<btRigidBody>(info));
        if (flags) bodies.back()->setCollisionFlags(flags);
        world.addRigidBody(bodies.back().get());
        if (mass > 0) movers.push_back(bodies.back().get());
        return bodies.back().get();
    }

    // Statics and movers interleaved, so that the movers' places in the world's
    // array are scattered; crates stack into islands that fall asleep; a
    // kinematic lift pushes a ball up.
    Scene()
    {
        world.setGravity(btVector3(0, -30, 0));
        world.setForceUpdateAllAabbs(false);
        for (int i = 0; i < 40; ++i) {
            add(0, box, btVector3((i % 8) * 2.5f, -0.5f, (i / 8) * 2.5f));
            if (i % 5 == 0) add(1 + i * 0.1f, crate, btVector3((i % 8) * 2.5f, 1 + i * 0.05f, (i / 8) * 2.5f));
            if (i % 7 == 0) add(2, ball, btVector3((i % 8) * 2.5f + 0.3f, 4, (i / 8) * 2.5f));
        }
        // Kinematic, not static, before it is added: Bullet files a body by its flags then.
        lift = add(0, box, btVector3(30, 0, 0), btCollisionObject::CF_KINEMATIC_OBJECT);
        lift->setActivationState(DISABLE_DEACTIVATION);
        add(1, ball, btVector3(30, 1.2f, 0));
        add(0, box, btVector3(-10, 0, 0));  // last in the array, so removals shuffle the two lists differently
    }

    void step(int n)
    {
        btTransform pose = lift->getWorldTransform();
        pose.setOrigin(pose.getOrigin() + btVector3(0, 0.02f, 0));
        lift->setWorldTransform(pose);
        if (n == 200) {
            // Taking a body out and back swaps bodies around in both of the
            // world's lists, differently: the moving world must follow the object array.
            world.removeRigidBody(movers[0]);
            world.removeRigidBody(movers[3]);
            world.removeRigidBody(bodies[4].get());
            world.addRigidBody(movers[0]);
            world.addRigidBody(bodies[4].get());
            world.addRigidBody(movers[3]);
            movers[3]->activate(true);
        }
        if (n == 350) {
            movers[2]->applyCentralImpulse(btVector3(0, 12, 3));
            movers[2]->activate(true);
        }
        world.stepSimulation(1.0f / 60.0f, 0);
    }
};

bool sameBits(const btVector3& a, const btVector3& b) { return std::memcmp(&a, &b, sizeof(float) * 3) == 0; }

}  // namespace

TEST(MovingBodiesWorld, StepsBitForBitAsBulletsOwnWorld)
{
    auto bullet = std::make_unique<Scene<btDiscreteDynamicsWorld>>();
    auto moving = std::make_unique<Scene<MovingBodiesWorld>>();
    ASSERT_EQ(bullet->bodies.size(), moving->bodies.size());
    int asleep = 0;
    for (int n = 0; n < 600; ++n) {
        bullet->step(n);
        moving->step(n);
        for (size_t i = 0; i < bullet->bodies.size(); ++i) {
            const btRigidBody& a = *bullet->bodies[i];
            const btRigidBody& b = *moving->bodies[i];
            ASSERT_TRUE(sameBits(a.getWorldTransform().getOrigin(), b.getWorldTransform().getOrigin()))
                << "body " << i << " step " << n;
            ASSERT_TRUE(sameBits(a.getLinearVelocity(), b.getLinearVelocity())) << "body " << i << " step " << n;
            ASSERT_EQ(a.getActivationState(), b.getActivationState()) << "body " << i << " step " << n;
            ASSERT_EQ(a.getIslandTag(), b.getIslandTag()) << "body " << i << " step " << n;
        }
        ASSERT_EQ(bullet->dispatcher.getNumManifolds(), moving->dispatcher.getNumManifolds()) << "step " << n;
        if (n == 190)
            for (const auto& body : moving->bodies) asleep += body->getActivationState() == ISLAND_SLEEPING && body->getInvMass() > 0;
    }
    // The scene must have reached the cases the passes treat differently.
    EXPECT_GT(asleep, 0) << "no crate fell asleep";
    EXPECT_GT(moving->movers.back()->getWorldTransform().getOrigin().y(), 5.0f) << "the lift did not carry the ball";
    const auto& order = moving->world.movingBodiesInWorldOrder();
    for (int i = 1; i < order.size(); ++i)
        EXPECT_LT(order[i - 1]->getWorldArrayIndex(), order[i]->getWorldArrayIndex());
}
