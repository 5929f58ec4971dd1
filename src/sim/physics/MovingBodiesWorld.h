#pragma once
#include <btBulletDynamicsCommon.h>

// Bullet's world with the per-step passes that only concern moving bodies
// made to visit only those. Left to itself Bullet walks every collision object
// four times a step (bounds, kinematic state, and twice for the simulation
// islands), asleep or static or not; in a level of 1,000 platforms that walk
// was most of the step. Here the walks cover the non-static bodies, in the
// world's own order, so the islands, their ids and so the solver's order come
// out exactly as Bullet's own passes would make them.
//
// Relies on two things the game keeps to: static bodies are added with
// addRigidBody, which puts them to sleep, so Bullet's own passes skip them or
// write the same values each step; a kinematic body is added as one, not
// turned kinematic afterwards (Bullet would file it with the static ones).
// Written against Bullet 3.24 as Debian 12 packages it, whose island manager
// leaves static bodies out of its union-find; tests/sim/MovingBodiesWorldTest.cpp
// steps this world and Bullet's side by side and fails on the first bit that differs.
class MovingBodiesWorld : public btDiscreteDynamicsWorld {
public:
    MovingBodiesWorld(btDispatcher* dispatcher, btBroadphaseInterface* broadphase, btConstraintSolver* solver,
                      btCollisionConfiguration* configuration);

    void updateAabbs() override;

    // The non-static bodies in the order of the world's object array, the
    // order in which Bullet's passes meet them. Kept up to date each call.
    const btAlignedObjectArray<btRigidBody*>& movingBodiesInWorldOrder();

protected:
    void saveKinematicState(btScalar timeStep) override;

private:
    btAlignedObjectArray<btRigidBody*> moving;
};
