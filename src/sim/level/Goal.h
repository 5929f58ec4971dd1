#pragma once
#include <glm/vec3.hpp>

#include "sim/level/Geometry.h"

class PhysicsWorld;
class btRigidBody;

// The goal: a static trigger box that is never drawn. Winning is decided by goalReached.
class Goal {
public:
    Goal(const glm::vec3& position, const glm::vec3& halfExtents, PhysicsWorld* world);

    Geometry geometry;
    btRigidBody* actor = nullptr;
};

// Strictly inside the sphere whose radius is the goal's X half size; Y and Z sizes do not count.
bool goalReached(const Goal& goal, const glm::vec3& point);
