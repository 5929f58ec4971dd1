#pragma once
#include "sim/physics/MovingBodiesWorld.h"

// Slows `body` to `maxSpeed` when it is faster.
void capSpeed(btRigidBody* body, float maxSpeed);

// The world with the character's speed cap applied between the solver and
// the integration of positions, so that no step moves the character further
// than the cap allows, however much impulse was piled up before the step.
class SpeedCappedWorld : public MovingBodiesWorld {
public:
    using MovingBodiesWorld::MovingBodiesWorld;
    btRigidBody* cappedBody = nullptr;
    float maxSpeed = 0.0f;

    // One fixed step. Afterwards the capped body is within the cap again and
    // has moved no further over the whole step than the cap allows.
    void stepWithinCap(btScalar timeStep);

protected:
    void integrateTransforms(btScalar timeStep) override;
};
