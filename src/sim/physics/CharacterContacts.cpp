#include "sim/physics/CharacterContacts.h"

#include <algorithm>

#include <btBulletDynamicsCommon.h>

#include "sim/physics/PhysicsWorld.h"

namespace {

// Points further apart than this are near misses Bullet keeps for later steps.
constexpr float kTouching = 0.05f;

}  // namespace

ContactStep CharacterContacts::afterStep(const PhysicsWorld& world, const glm::vec3& velocityBefore)
{
    ContactStep step;
    if (!world.scene || !world.characterBody) return step;
    const btCollisionObject* sphere = world.characterBody;
    std::set<const btCollisionObject*> groundNow, sidesNow;
    btDispatcher* dispatcher = world.scene->getDispatcher();
    const btVector3 approach(velocityBefore.x, velocityBefore.y, velocityBefore.z);
    for (int m = 0; m < dispatcher->getNumManifolds(); ++m) {
        const btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(m);
        const bool sphereFirst = manifold->getBody0() == sphere;
        if (!sphereFirst && manifold->getBody1() != sphere) continue;
        const btCollisionObject* other = sphereFirst ? manifold->getBody1() : manifold->getBody0();
        if (!other->hasContactResponse()) continue;  // triggers are passed through, not met
        for (int p = 0; p < manifold->getNumContacts(); ++p) {
            const btManifoldPoint& point = manifold->getContactPoint(p);
            if (point.getDistance() > kTouching) continue;
            // Bullet's normal points from the second body to the first; turned to point at the sphere.
            const btVector3 normal = sphereFirst ? point.m_normalWorldOnB : -point.m_normalWorldOnB;
            const float closing = static_cast<float>(-approach.dot(normal));
            if (normal.y() >= kGroundNormal) {
                step.grounded = true;
                groundNow.insert(other);
                if (!ground.count(other) && closing >= kMinimumImpact) step.landingSpeed = std::max(step.landingSpeed, closing);
            } else {
                sidesNow.insert(other);
                if (!sides.count(other) && closing >= kMinimumImpact) step.bumpSpeed = std::max(step.bumpSpeed, closing);
            }
        }
    }
    // Rolling from one platform onto the next that touches it is no landing.
    if (!ground.empty()) step.landingSpeed = 0.0f;
    ground = std::move(groundNow);
    sides = std::move(sidesNow);
    return step;
}
