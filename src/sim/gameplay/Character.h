#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

class PhysicsWorld;
class btRigidBody;

// Which jump a press of the jump key made, if any.
enum class JumpKind { None, First, Second };

// The astronaut's sphere: moved only by impulses scaled by the level's gravity.
class Character {
public:
    explicit Character(PhysicsWorld* world);

    void move(const glm::vec3& direction);
    // Ground ray from 1.5 below the centre; first jump, weaker second jump, lockouts.
    JumpKind jump();
    void applyPostStepImpulse();
    void celebrate();
    glm::vec3 getPosition() const;
    float getHeight() const;
    // The jump lockouts run on rendered frames: called once per frame, after the draw.
    void advanceJumpTimers(float deltaTime);

    PhysicsWorld* world = nullptr;
    btRigidBody* body = nullptr;
    glm::mat4 modelMatrix{1.0f};
    float jumpCooldown = 0.0f;
    float secondJumpCooldown = 0.0f;
    float firstJumpLockout = 0.5f;
    float secondJumpLockout = 1.0f;
};
