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

void SpeedCappedWorld::stepWithinCap(btScalar timeStep)
{
    const btVector3 start = cappedBody ? cappedBody->getWorldTransform().getOrigin() : btVector3(0, 0, 0);
    stepSimulation(timeStep, 0);
    if (!cappedBody) return;
    // Capped again after the step, as the world was always left: the post-step
    // impulse and the next frame's movement start from a speed within the cap.
    capSpeed(cappedBody, maxSpeed);
    // The solver pushes a body out of a box it sank into on top of its move;
    // the step as a whole stays within the cap as well.
    btTransform pose = cappedBody->getWorldTransform();
    const btVector3 moved = pose.getOrigin() - start;
    const btScalar most = maxSpeed * timeStep;
    if (moved.length() > most) {
        pose.setOrigin(start + moved * (most / moved.length()));
        cappedBody->setWorldTransform(pose);
    }
}
