#pragma once
#include <iosfwd>
#include <memory>

#include <glm/vec3.hpp>

#include "sim/physics/PhysicsMaterial.h"
#include "sim/physics/RayHit.h"
#include "sim/physics/SimulationCallback.h"

class IniFile;
class btCollisionShape;
class btRigidBody;
class btDiscreteDynamicsWorld;
class TriggerTracker;
struct BulletParts;

// How a static box takes part in the simulation.
enum class ShapeRole {
    Solid,    // collides and is hit by ray casts
    Trigger,  // takes no part in collision response, reports overlaps, never hit by rays
};

// The rigid-body world: gravity from the level file, the two shared materials,
// the character's body, fixed steps and trigger reports. Bodies added by other
// objects belong to the world and are never removed one by one.
class PhysicsWorld {
public:
    PhysicsWorld(const IniFile& levelReader, SimulationCallback* callback, std::ostream& log);
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    void initPhysics(const IniFile& levelReader, SimulationCallback* callback);
    // Creates the player's body on the first call; later calls return the same body.
    btRigidBody* getCharacterBody();
    // Advances exactly one step of `dt` seconds. The character's speed is cut to
    // characterMaxLinearVelocity before positions are integrated and again
    // after the step, so no step moves it further than that speed times `dt`.
    void stepSimulation(float dt);
    // Delivers the trigger reports of the last step to the callback, then returns.
    void fetchSimulationResults();
    // Releases the whole world; safe to call more than once.
    void cleanup();

    btRigidBody* createStaticBox(const glm::vec3& centre, const glm::vec3& halfExtents,
                                 const PhysicsMaterial& material, ShapeRole role, BodyTag tag = BodyTag::None);
    btRigidBody* createDynamicBox(const glm::vec3& centre, const glm::vec3& halfExtents, float mass,
                                  const PhysicsMaterial& material, float angularDamping);
    // The body no longer collides or reports triggers, but ray casts still hit it.
    void disableSimulation(btRigidBody* body);
    void applyImpulse(btRigidBody* body, const glm::vec3& impulse);
    // Closest hit. Trigger shapes and the character's own sphere are never hit;
    // a ray starting inside a box hits that box at distance 0.
    RayHit raycast(const glm::vec3& origin, const glm::vec3& direction, float maxDistance) const;

    static glm::vec3 positionOf(const btRigidBody* body);
    static glm::vec3 velocityOf(const btRigidBody* body);

    const IniFile* levelReader = nullptr;
    float dimensions[3] = {10.0f, 10.0f, 10.0f};
    float gravity = 50.0f;
    float characterMass = 7.0f;
    float characterMaxLinearVelocity = 1000.0f;
    float characterSize = 2.0f;
    PhysicsMaterial characterMaterial{0.0f, 1.0f, 0.0f};
    PhysicsMaterial worldMaterial{1.5f, 0.0f, 0.0f};
    btRigidBody* characterBody = nullptr;
    btDiscreteDynamicsWorld* scene = nullptr;  // owned through `parts`
    std::ostream* log;  // where unusable level values are reported

private:
    // A moving body with unit inertia (as one whose mass alone was set) and the
    // material's dynamic friction and restitution; the world keeps it and its shape.
    btRigidBody* addDynamicBody(std::unique_ptr<btCollisionShape> shape, const glm::vec3& centre, float mass,
                                const PhysicsMaterial& material, float linearDamping, float angularDamping, int role,
                                int group, int mask);

    std::unique_ptr<BulletParts> parts;
    SimulationCallback* callback = nullptr;
};
