#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>


class PhysicsWorld;
class btRigidBody;

// The spinning beet: a static trigger box of half size 1 tagged as the
// power-up, so any simulation shape entering it applies the power-up.
class PowerUp {
public:
    PowerUp(const glm::vec3& position, PhysicsWorld* world);

    // Turns the model by deltaTime * 50 degrees about y; called on every frame it is drawn.
    void spin(float deltaTime);

    glm::vec3 position{0.0f};
    glm::mat4 modelMatrix{1.0f};
    btRigidBody* actor = nullptr;
};
