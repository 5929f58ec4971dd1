#include "sim/gameplay/PowerUp.h"

#include <glm/gtc/matrix_transform.hpp>

#include "core/Units.h"
#include "sim/physics/PhysicsWorld.h"

PowerUp::PowerUp(const glm::vec3& position, PhysicsWorld* world)
    : position(position), modelMatrix(glm::translate(glm::mat4(1.0f), position))
{
    if (world)
        actor = world->createStaticBox(position, glm::vec3(1.0f), world->worldMaterial, ShapeRole::Trigger, BodyTag::PowerUp);
}

void PowerUp::spin(float deltaTime)
{
    modelMatrix = glm::rotate(modelMatrix, deltaTime * 50.0f * kDegreesToRadians, glm::vec3(0.0f, 1.0f, 0.0f));
}
