#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "sim/level/Geometry.h"
#include "sim/view/DrawnObject.h"

class PhysicsWorld;
class btRigidBody;

// A drawable box with a static solid body in the physics world.
class Platform {
public:
    Platform(const glm::vec3& position, const glm::vec3& halfExtents, PhysicsWorld* world);

    // Drawn but no longer colliding; the ground ray still finds it.
    void disableSimulation();
    // The geometry's model matrix turned by tiltAngle about x through the box's centre.
    glm::mat4 drawMatrix() const;

    glm::vec3 position{0.0f};
    glm::vec3 halfExtents{0.0f};
    ObjectKind kind = ObjectKind::Wall;  // how it is drawn: a platform is animated, a wall or the floor still
    bool isBlue = false;
    float tiltAngle = 0.0f;  // degrees
    PhysicsWorld* world = nullptr;
    Geometry geometry;
    btRigidBody* actor = nullptr;
};
