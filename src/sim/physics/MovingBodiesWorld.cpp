#include "sim/physics/MovingBodiesWorld.h"

#include <BulletCollision/CollisionDispatch/btSimulationIslandManager.h>

#include <new>

namespace {

bool earlierInWorld(const btRigidBody* a, const btRigidBody* b)
{
    return a->getWorldArrayIndex() < b->getWorldArrayIndex();
}

// Bullet's island manager, less its walks over static bodies. Those get the
// island tag -1 and, between steps, the companion id -2; neither changes while
// they stay static, and the solver treats -1 and -2 alike (not yet converted).
class MovingIslandManager : public btSimulationIslandManager {
public:
    explicit MovingIslandManager(MovingBodiesWorld& world) : world(world) {}

    void updateActivationState(btCollisionWorld* colWorld, btDispatcher* dispatcher) override
    {
        const auto& bodies = world.movingBodiesInWorldOrder();
        int index = 0;
        for (int i = 0; i < bodies.size(); ++i) {
            btRigidBody* body = bodies[i];
            if (!body->isStaticOrKinematicObject()) body->setIslandTag(index++);
            body->setCompanionId(-1);
            body->setHitFraction(btScalar(1.));
        }
        initUnionFind(index);
        findUnions(dispatcher, colWorld);
    }

    void storeIslandActivationState(btCollisionWorld*) override
    {
        const auto& bodies = world.movingBodiesInWorldOrder();
        int index = 0;
        for (int i = 0; i < bodies.size(); ++i) {
            btRigidBody* body = bodies[i];
            if (!body->isStaticOrKinematicObject()) {
                body->setIslandTag(getUnionFind().find(index));
                // The union-find element names its body by its place in the world's array.
                getUnionFind().getElement(index).m_sz = body->getWorldArrayIndex();
                body->setCompanionId(-1);
                index++;
            } else {
                body->setIslandTag(-1);
                body->setCompanionId(-2);
            }
        }
    }

private:
    MovingBodiesWorld& world;
};

}  // namespace

MovingBodiesWorld::MovingBodiesWorld(btDispatcher* dispatcher, btBroadphaseInterface* broadphase,
                                     btConstraintSolver* solver, btCollisionConfiguration* configuration)
    : btDiscreteDynamicsWorld(dispatcher, broadphase, solver, configuration)
{
    // The base made its own island manager the way it frees it (aligned
    // memory, destroyed in place); the replacement is made the same way.
    if (m_ownsIslandManager) {
        m_islandManager->~btSimulationIslandManager();
        btAlignedFree(m_islandManager);
    }
    void* memory = btAlignedAlloc(sizeof(MovingIslandManager), 16);
    m_islandManager = new (memory) MovingIslandManager(*this);
    m_ownsIslandManager = true;
}

const btAlignedObjectArray<btRigidBody*>& MovingBodiesWorld::movingBodiesInWorldOrder()
{
    // Removing a body swaps the last one into its place, in the object array
    // and in the list of non-static bodies alike, so the two orders drift apart.
    moving.copyFromArray(m_nonStaticRigidBodies);
    bool sorted = true;
    for (int i = 1; i < moving.size() && sorted; ++i) sorted = earlierInWorld(moving[i - 1], moving[i]);
    if (!sorted) moving.quickSort(earlierInWorld);
    return moving;
}

void MovingBodiesWorld::updateAabbs()
{
    if (m_forceUpdateAllAabbs) {
        btDiscreteDynamicsWorld::updateAabbs();
        return;
    }
    const auto& bodies = movingBodiesInWorldOrder();
    for (int i = 0; i < bodies.size(); ++i)
        if (bodies[i]->isActive()) updateSingleAabb(bodies[i]);
}

void MovingBodiesWorld::saveKinematicState(btScalar timeStep)
{
    // Bullet walks every object because a body may be made kinematic after it
    // was added as a static one; the game never does that.
    for (int i = 0; i < m_nonStaticRigidBodies.size(); ++i) {
        btRigidBody* body = m_nonStaticRigidBodies[i];
        if (body->getActivationState() != ISLAND_SLEEPING && body->isKinematicObject())
            body->saveKinematicState(timeStep);
    }
}
