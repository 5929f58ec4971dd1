#pragma once
#include <set>

#include <glm/vec3.hpp>

class PhysicsWorld;
class btCollisionObject;

// What the character's sphere touched in the last physics step, read from the
// contact points the step found. Reading them changes nothing in the world.
struct ContactStep {
    bool grounded = false;      // a surface under the sphere (its normal points mostly up)
    float landingSpeed = 0.0f;  // > 0: the sphere met ground it did not touch the step before
    float bumpSpeed = 0.0f;     // > 0: the sphere met a side (a wall, a platform's edge) it did not touch before
};

// Keeps which bodies touched the sphere from above and from the side in the
// step before, so that a contact that goes on is not met again every step.
class CharacterContacts {
public:
    // Contacts slower than this (a sphere resting or rolling along) meet nothing.
    static constexpr float kMinimumImpact = 1.0f;
    // A contact normal with at least this upward part is ground.
    static constexpr float kGroundNormal = 0.7f;

    // `velocityBefore` is the sphere's velocity before the step: the speed of an
    // impact is how fast it was closing on the surface along the contact normal.
    ContactStep afterStep(const PhysicsWorld& world, const glm::vec3& velocityBefore);

private:
    std::set<const btCollisionObject*> ground, sides;
};
