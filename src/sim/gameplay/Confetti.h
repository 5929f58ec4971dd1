#pragma once
#include <glm/vec3.hpp>

#include "sim/level/Geometry.h"

class PhysicsWorld;
class btRigidBody;

// One confetti piece: a dynamic 2x2x2 box that tumbles physically but is drawn axis-aligned.
class Confetti {
public:
    Confetti(PhysicsWorld* world, const glm::vec3& position);
    glm::vec3 currentPosition() const;

    btRigidBody* actor = nullptr;
    Geometry geometry;
};
