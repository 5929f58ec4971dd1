#include "sim/level/Platform.h"

#include <glm/gtc/matrix_transform.hpp>

#include "core/Units.h"
#include "sim/physics/PhysicsWorld.h"

Platform::Platform(const glm::vec3& position, const glm::vec3& halfExtents, PhysicsWorld* world)
    : position(position), halfExtents(halfExtents), world(world)
{
    if (world) actor = world->createStaticBox(position, halfExtents, world->worldMaterial, ShapeRole::Solid);
    geometry = Geometry(actor ? PhysicsWorld::positionOf(actor) : position, halfExtents);
}

void Platform::disableSimulation()
{
    if (world) world->disableSimulation(actor);
}

glm::mat4 Platform::drawMatrix() const
{
    return glm::rotate(geometry.model, tiltAngle * kDegreesToRadians, glm::vec3(1.0f, 0.0f, 0.0f));
}
