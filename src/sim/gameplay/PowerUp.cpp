#include "sim/gameplay/PowerUp.h"

#include <btBulletDynamicsCommon.h>
#include <glm/gtc/matrix_transform.hpp>

#include "core/Units.h"
#include "sim/physics/PhysicsWorld.h"

PowerUp::PowerUp(const glm::vec3& position, PhysicsWorld* world)
    : position(position), modelMatrix(glm::translate(glm::mat4(1.0f), position))
{
    id = 0;
    if (world) actor = world->createStaticBox(position, glm::vec3(1.0f), world->worldMaterial, ShapeRole::Trigger, this);
}

// The trigger's user data must name the power-up where it finally lives (for
// example inside the level's std::optional), so every copy or move takes it over.
PowerUp::PowerUp(const PowerUp& other) : Interactable(other), position(other.position), modelMatrix(other.modelMatrix), actor(other.actor)
{
    claimActor();
}

PowerUp& PowerUp::operator=(const PowerUp& other)
{
    Interactable::operator=(other);
    position = other.position;
    modelMatrix = other.modelMatrix;
    actor = other.actor;
    claimActor();
    return *this;
}

void PowerUp::claimActor()
{
    if (actor) actor->setUserPointer(this);
}

void PowerUp::interact(std::ostream& out) { Interactable::interact(out); }

void PowerUp::spin(float deltaTime)
{
    modelMatrix = glm::rotate(modelMatrix, deltaTime * 50.0f * kDegreesToRadians, glm::vec3(0.0f, 1.0f, 0.0f));
}
