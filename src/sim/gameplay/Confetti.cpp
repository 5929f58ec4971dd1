#include "sim/gameplay/Confetti.h"

#include "sim/physics/PhysicsWorld.h"

namespace {

constexpr float kPieceMass = 0.5f;
constexpr float kPieceAngularDamping = 0.5f;
const glm::vec3 kPieceHalfExtents(1.0f);

}  // namespace

Confetti::Confetti(PhysicsWorld* world, const glm::vec3& position)
{
    // Each piece has its own bouncy, grippy material.
    const PhysicsMaterial material{1.0f, 1.0f, 0.5f};
    if (world) actor = world->createDynamicBox(position, kPieceHalfExtents, kPieceMass, material, kPieceAngularDamping);
    geometry = Geometry(actor ? PhysicsWorld::positionOf(actor) : position, kPieceHalfExtents);
}

glm::vec3 Confetti::currentPosition() const { return actor ? PhysicsWorld::positionOf(actor) : geometry.position; }
