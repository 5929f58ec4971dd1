#include "sim/level/Goal.h"

#include <glm/geometric.hpp>

#include "sim/physics/PhysicsWorld.h"

Goal::Goal(const glm::vec3& position, const glm::vec3& halfExtents, PhysicsWorld* world)
{
    // No user data: touching the goal's trigger has no effect; goalReached decides the win.
    if (world) actor = world->createStaticBox(position, halfExtents, world->worldMaterial, ShapeRole::Trigger);
    geometry = Geometry(position, halfExtents);
}

bool goalReached(const Goal& goal, const glm::vec3& point)
{
    return glm::distance(goal.geometry.position, point) < goal.geometry.size.x * 0.5f;
}
