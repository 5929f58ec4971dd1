#include "sim/physics/SpeedCappedWorld.h"

void capSpeed(btRigidBody* body, float maxSpeed)
{
    const btVector3 v = body->getLinearVelocity();
    if (v.length() > maxSpeed) body->setLinearVelocity(v * (maxSpeed / v.length()));
}

void SpeedCappedWorld::integrateTransforms(btScalar timeStep)
{
    if (cappedBody) capSpeed(cappedBody, maxSpeed);
    btDiscreteDynamicsWorld::integrateTransforms(timeStep);
}
