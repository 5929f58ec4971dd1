#include "sim/gameplay/Character.h"

#include "sim/physics/PhysicsWorld.h"

namespace {

constexpr float kGroundRayDrop = 1.5f;  // the ray starts 0.5 below the sphere's bottom
constexpr float kGroundRayLength = 100.0f;
constexpr float kJumpReach = 10.0f;
constexpr float kFirstJumpScale = 5.25f;
constexpr float kSecondJumpScale = 2.0f;
constexpr float kMoveScale = 0.1f;
constexpr float kPostStepPush = -0.2f;

}  // namespace

Character::Character(PhysicsWorld* world) : world(world)
{
    if (world) body = world->getCharacterBody();
}

void Character::move(const glm::vec3& direction)
{
    const float g = world->gravity;
    world->applyImpulse(body, glm::vec3(direction.x * g * kMoveScale, direction.y * g * kMoveScale,
                                        direction.z * g * kMoveScale));
}

JumpKind Character::jump()
{
    const glm::vec3 p = getPosition();
    const RayHit ground = world->raycast(glm::vec3(p.x, p.y - kGroundRayDrop, p.z), glm::vec3(0.0f, -1.0f, 0.0f),
                                         kGroundRayLength);
    const float groundDistance = ground.hit ? ground.distance : kGroundRayLength;
    if (!(groundDistance < kJumpReach)) return JumpKind::None;

    const float g = world->gravity;
    if (jumpCooldown <= 0.0f) {
        world->applyImpulse(body, glm::vec3(0.0f, g * kFirstJumpScale, 0.0f));
        jumpCooldown = firstJumpLockout;
        return JumpKind::First;
    }
    if (secondJumpCooldown <= 0.0f) {
        world->applyImpulse(body, glm::vec3(0.0f, g * kSecondJumpScale, 0.0f));
        jumpCooldown = secondJumpLockout;
        secondJumpCooldown = secondJumpLockout;
        return JumpKind::Second;
    }
    return JumpKind::None;
}

void Character::applyPostStepImpulse() { world->applyImpulse(body, glm::vec3(0.0f, kPostStepPush, 0.0f)); }

void Character::celebrate() { world->applyImpulse(body, glm::vec3(0.0f, world->gravity, 0.0f)); }

glm::vec3 Character::getPosition() const { return PhysicsWorld::positionOf(body); }

float Character::getHeight() const { return getPosition().y; }

void Character::advanceJumpTimers(float deltaTime)
{
    jumpCooldown = jumpCooldown > 0.0f ? jumpCooldown - deltaTime : 0.0f;
    secondJumpCooldown = secondJumpCooldown > 0.0f ? secondJumpCooldown - deltaTime : 0.0f;
}
