#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "sim/gameplay/Interactable.h"

class PhysicsWorld;
class btRigidBody;

// The spinning beet: a static trigger box of half size 1 whose user data points
// back here, so any simulation shape entering it applies the power-up.
class PowerUp : public Interactable {
public:
    PowerUp(const glm::vec3& position, PhysicsWorld* world);
    // Copies (and moves, which copy) point the trigger's user data at the new
    // object, so the power-up that was placed last is the one the body names.
    PowerUp(const PowerUp& other);
    PowerUp& operator=(const PowerUp& other);
    // Points the trigger's user data at this object.
    void claimActor();

    void interact(std::ostream& out) override;
    // Turns the model by deltaTime * 50 degrees about y; called on every frame it is drawn.
    void spin(float deltaTime);

    glm::vec3 position{0.0f};
    glm::mat4 modelMatrix{1.0f};
    btRigidBody* actor = nullptr;
};
