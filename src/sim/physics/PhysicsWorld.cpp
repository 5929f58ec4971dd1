#include "sim/physics/PhysicsWorld.h"

#include <btBulletDynamicsCommon.h>

#include <cmath>
#include <deque>
#include <ostream>
#include <memory>
#include <string>
#include <vector>

#include "core/FiniteValue.h"
#include "core/IniFile.h"
#include "sim/physics/BoxRaycast.h"
#include "sim/physics/CollisionGroups.h"
#include "sim/physics/RestingTreeFiler.h"
#include "sim/physics/SpeedCappedWorld.h"
#include "sim/physics/TriggerTracker.h"

namespace {

// The name the world's lines on the log begin with.
constexpr const char* kReader = "PhysicsWorld";

// The character's linear damping and the confetti's angular damping are given
// as "velocity shrinks by c * dt per step"; Bullet instead multiplies by
// (1 - d)^dt. This d makes both agree for a step of dt.
btScalar bulletDamping(float perSecond, float dt)
{
    if (perSecond <= 0.0f || dt <= 0.0f) return 0.0f;
    const double keep = 1.0 - static_cast<double>(perSecond) * dt;
    if (keep <= 0.0) return 1.0f;
    return static_cast<btScalar>(1.0 - std::pow(keep, 1.0 / dt));
}

// Touching materials use the average of their dynamic frictions and of their
// restitutions; Bullet would multiply them.
btScalar averageFriction(const btCollisionObject* a, const btCollisionObject* b)
{
    return (a->getFriction() + b->getFriction()) * 0.5f;
}

btScalar averageRestitution(const btCollisionObject* a, const btCollisionObject* b)
{
    return (a->getRestitution() + b->getRestitution()) * 0.5f;
}

btVector3 toBullet(const glm::vec3& v) { return btVector3(v.x, v.y, v.z); }
glm::vec3 toGlm(const btVector3& v) { return glm::vec3(v.x(), v.y(), v.z()); }

std::unique_ptr<btBoxShape> makeBox(const glm::vec3& halfExtents, std::deque<glm::vec3>& exact)
{
    auto box = std::make_unique<btBoxShape>(toBullet(halfExtents));
    exact.push_back(halfExtents);
    box->setUserPointer(&exact.back());
    return box;
}

// Collects every candidate proxy along a ray; the exact test is done afterwards.
struct ProxyRayCollector : btBroadphaseRayCallback {
    ProxyRayCollector(const btVector3& from, const btVector3& to)
    {
        const btVector3 dir = (to - from).normalized();
        m_rayDirectionInverse.setValue(dir.x() == 0.0f ? BT_LARGE_FLOAT : 1.0f / dir.x(),
                                       dir.y() == 0.0f ? BT_LARGE_FLOAT : 1.0f / dir.y(),
                                       dir.z() == 0.0f ? BT_LARGE_FLOAT : 1.0f / dir.z());
        m_signs[0] = m_rayDirectionInverse.x() < 0.0f;
        m_signs[1] = m_rayDirectionInverse.y() < 0.0f;
        m_signs[2] = m_rayDirectionInverse.z() < 0.0f;
        m_lambda_max = dir.dot(to - from);
    }
    bool process(const btBroadphaseProxy* proxy) override
    {
        proxies.push_back(proxy);
        return true;
    }
    std::vector<const btBroadphaseProxy*> proxies;
};

// Records the bodies a trigger really overlaps (negative distance), not those
// merely within Bullet's contact margin.
struct TriggerOverlapCollector : btCollisionWorld::ContactResultCallback {
    explicit TriggerOverlapCollector(const btCollisionObject* trigger) : trigger(trigger)
    {
        m_collisionFilterGroup = collision::kTriggerQuery;
        m_collisionFilterMask = ~0;
    }
    btScalar addSingleResult(btManifoldPoint& cp, const btCollisionObjectWrapper* a, int, int,
                             const btCollisionObjectWrapper* b, int, int) override
    {
        if (cp.getDistance() >= 0.0f) return 0.0f;
        const btCollisionObject* other = a->getCollisionObject() == trigger ? b->getCollisionObject()
                                                                            : a->getCollisionObject();
        overlaps.push_back({trigger, other});
        return 0.0f;
    }
    const btCollisionObject* trigger;
    std::vector<TriggerTracker::Overlap> overlaps;
};

struct DampedBody {
    btRigidBody* body;
    float linearPerSecond;
    float angularPerSecond;
};

// Bullet's default pools hold 4,096 contact manifolds and as many collision
// algorithms, every one written at creation: over 4 MiB resident, for a game
// whose character and one burst of 25 confetti pieces touch a few dozen boxes
// at a time. Past the pools Bullet takes memory from the heap, so a crowded
// scene only costs a little speed.
btDefaultCollisionConstructionInfo contactPools()
{
    btDefaultCollisionConstructionInfo pools;
    pools.m_defaultMaxPersistentManifoldPoolSize = 256;
    pools.m_defaultMaxCollisionAlgorithmPoolSize = 256;
    return pools;
}

}  // namespace

// Everything Bullet needs, owned in one place and released in reverse order.
struct BulletParts {
    std::unique_ptr<btDefaultCollisionConfiguration> configuration;
    std::unique_ptr<btCollisionDispatcher> dispatcher;
    std::unique_ptr<btDbvtBroadphase> broadphase;
    std::unique_ptr<btSequentialImpulseConstraintSolver> solver;
    std::unique_ptr<SpeedCappedWorld> world;
    std::vector<std::unique_ptr<btCollisionShape>> shapes;
    std::vector<std::unique_ptr<btRigidBody>> bodies;
    // Box sizes as given: Bullet keeps them minus its margin, which does not
    // always add back to the same float. Each box shape's user pointer names its entry.
    std::deque<glm::vec3> boxHalfExtents;
    std::vector<btRigidBody*> triggers;
    std::vector<DampedBody> damped;
    std::unique_ptr<RestingTreeFiler> staticFiler;  // adds static boxes the fast way
    TriggerTracker tracker;
    std::vector<TriggerPair> pendingReports;
};

PhysicsWorld::PhysicsWorld(const IniFile& levelReader, SimulationCallback* callback, std::ostream& log) : log(&log)
{
    dimensions[2] = readFiniteFloat(levelReader, "world", "dimensionZ", 10.0f, log, kReader, kWorldSize);
    dimensions[1] = readFiniteFloat(levelReader, "world", "dimensionY", 10.0f, log, kReader, kWorldSize);
    dimensions[0] = readFiniteFloat(levelReader, "world", "dimensionX", 10.0f, log, kReader, kWorldSize);
    characterMass = 7.0f;
    characterMaxLinearVelocity = 1000.0f;
    characterSize = 2.0f;
    initPhysics(levelReader, callback);
}

PhysicsWorld::~PhysicsWorld() { cleanup(); }

void PhysicsWorld::initPhysics(const IniFile& reader, SimulationCallback* simulationCallback)
{
    cleanup();
    levelReader = &reader;
    callback = simulationCallback;

    parts = std::make_unique<BulletParts>();
    parts->configuration = std::make_unique<btDefaultCollisionConfiguration>(contactPools());
    parts->dispatcher = std::make_unique<btCollisionDispatcher>(parts->configuration.get());
    parts->broadphase = std::make_unique<btDbvtBroadphase>();
    parts->solver = std::make_unique<btSequentialImpulseConstraintSolver>();
    parts->world = std::make_unique<SpeedCappedWorld>(parts->dispatcher.get(), parts->broadphase.get(),
                                                             parts->solver.get(), parts->configuration.get());
    scene = parts->world.get();
    parts->staticFiler = std::make_unique<RestingTreeFiler>(*scene, *parts->broadphase);
    // Resting bodies keep their bounds; refreshing every static box each step
    // would move it between Bullet's broadphase trees and cost seconds in big levels.
    scene->setForceUpdateAllAabbs(false);

    gravity = readFiniteFloat(reader, "physics", "gravity", gravity, *log, kReader, kGravityLimits);
    scene->setGravity(btVector3(0.0f, -gravity, 0.0f));

    gCalculateCombinedFrictionCallback = &averageFriction;
    gCalculateCombinedRestitutionCallback = &averageRestitution;

    characterMaterial = PhysicsMaterial{0.0f, 1.0f, 0.0f};
    worldMaterial = PhysicsMaterial{1.5f, 0.0f, 0.0f};
}

void PhysicsWorld::cleanup()
{
    if (!parts) return;
    // The world lets go of every body's broadphase entry as it goes; removing
    // them one by one first would search its list once per body.
    parts->world.reset();
    parts->bodies.clear();
    parts->shapes.clear();
    parts->solver.reset();
    parts->broadphase.reset();
    parts->dispatcher.reset();
    parts->configuration.reset();
    parts.reset();
    scene = nullptr;
    characterBody = nullptr;
}

btRigidBody* PhysicsWorld::getCharacterBody()
{
    if (characterBody || !parts) return characterBody;

    const float startX = readFiniteFloat(*levelReader, "world", "charStartX", 0.0f, *log, kReader,
                                        kWorldCoordinate);
    const float startY = readFiniteFloat(*levelReader, "world", "charStartY", 50.0f, *log, kReader,
                                        kWorldCoordinate);
    const float startZ = readFiniteFloat(*levelReader, "world", "charStartZ", dimensions[2] * 0.5f, *log, kReader,
                                        kWorldCoordinate);

    characterBody = addDynamicBody(std::make_unique<btSphereShape>(characterSize * 0.5f),
                                   glm::vec3(startX, startY, startZ), characterMass, characterMaterial, 0.2f, 0.0f,
                                   collision::kRoleCharacter, collision::kCharacter, collision::kCharacterMask);
    // The character never turns and never sleeps while the game runs.
    characterBody->setAngularFactor(0.0f);
    characterBody->setActivationState(DISABLE_DEACTIVATION);
    parts->world->cappedBody = characterBody;
    parts->world->maxSpeed = characterMaxLinearVelocity;
    return characterBody;
}

btRigidBody* PhysicsWorld::createStaticBox(const glm::vec3& centre, const glm::vec3& halfExtents,
                                           const PhysicsMaterial& material, ShapeRole role, BodyTag tag)
{
    if (!parts) return nullptr;
    auto box = makeBox(halfExtents, parts->boxHalfExtents);
    btTransform pose;
    pose.setIdentity();
    pose.setOrigin(toBullet(centre));
    btRigidBody::btRigidBodyConstructionInfo info(0.0f, nullptr, box.get());
    info.m_startWorldTransform = pose;
    info.m_friction = material.dynamicFriction;
    info.m_restitution = material.restitution;
    auto body = std::make_unique<btRigidBody>(info);
    body->setUserIndex2(static_cast<int>(tag));
    if (role == ShapeRole::Trigger) {
        body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_NO_CONTACT_RESPONSE);
        body->setUserIndex(collision::kRoleTrigger);
        parts->staticFiler->addStaticBody(body.get(), collision::kTrigger, collision::kTriggerMask);
        parts->triggers.push_back(body.get());
    } else {
        body->setUserIndex(0);
        parts->staticFiler->addStaticBody(body.get(), collision::kStatic, collision::kStaticMask);
    }
    btRigidBody* raw = body.get();
    parts->shapes.push_back(std::move(box));
    parts->bodies.push_back(std::move(body));
    return raw;
}

btRigidBody* PhysicsWorld::createDynamicBox(const glm::vec3& centre, const glm::vec3& halfExtents, float mass,
                                            const PhysicsMaterial& material, float angularDamping)
{
    if (!parts) return nullptr;
    return addDynamicBody(makeBox(halfExtents, parts->boxHalfExtents), centre, mass, material, 0.0f, angularDamping, 0,
                          collision::kDynamic, collision::kDynamicMask);
}

btRigidBody* PhysicsWorld::addDynamicBody(std::unique_ptr<btCollisionShape> shape, const glm::vec3& centre, float mass,
                                          const PhysicsMaterial& material, float linearDamping, float angularDamping,
                                          int role, int group, int mask)
{
    btTransform pose;
    pose.setIdentity();
    pose.setOrigin(toBullet(centre));
    btRigidBody::btRigidBodyConstructionInfo info(mass, nullptr, shape.get(), btVector3(1, 1, 1));
    info.m_startWorldTransform = pose;
    info.m_friction = material.dynamicFriction;
    info.m_restitution = material.restitution;
    auto body = std::make_unique<btRigidBody>(info);
    body->setUserIndex(role);
    body->setUserPointer(nullptr);
    scene->addRigidBody(body.get(), group, mask);
    btRigidBody* raw = body.get();
    parts->damped.push_back({raw, linearDamping, angularDamping});
    parts->shapes.push_back(std::move(shape));
    parts->bodies.push_back(std::move(body));
    return raw;
}

void PhysicsWorld::disableSimulation(btRigidBody* body)
{
    if (!parts || !body || (body->getUserIndex() & collision::kRoleDisabled)) return;
    const bool trigger = body->getUserIndex() & collision::kRoleTrigger;
    const bool characterSphere = body->getUserIndex() & collision::kRoleCharacter;
    // Re-adding with a new group drops every broadphase pair the body had.
    scene->removeRigidBody(body);
    body->setCollisionFlags(body->getCollisionFlags() | btCollisionObject::CF_NO_CONTACT_RESPONSE);
    body->setUserIndex(body->getUserIndex() | collision::kRoleDisabled);
    const int mask = (trigger || characterSphere) ? 0 : collision::kRayQuery;
    scene->addRigidBody(body, collision::kDisabled, mask);
}

void PhysicsWorld::applyImpulse(btRigidBody* body, const glm::vec3& impulse)
{
    if (!body) return;
    body->applyCentralImpulse(toBullet(impulse));
    body->activate();
}

void PhysicsWorld::stepSimulation(float dt)
{
    if (!parts) return;
    for (const DampedBody& d : parts->damped)
        d.body->setDamping(bulletDamping(d.linearPerSecond, dt), bulletDamping(d.angularPerSecond, dt));

    parts->world->stepWithinCap(dt);
    // Bounds as they are after the step, for the trigger scan and the ray
    // casts that follow. Only dynamic bodies move; going through every body
    // (updateAabbs) would cost a big level's statics a second pass per step.
    for (const DampedBody& d : parts->damped)
        if (d.body->isActive()) scene->updateSingleAabb(d.body);

    std::vector<TriggerTracker::Overlap> overlaps;
    for (btRigidBody* trigger : parts->triggers) {
        if (trigger->getUserIndex() & collision::kRoleDisabled) continue;
        TriggerOverlapCollector collector(trigger);
        scene->contactTest(trigger, collector);
        overlaps.insert(overlaps.end(), collector.overlaps.begin(), collector.overlaps.end());
    }
    parts->tracker.update(overlaps, parts->pendingReports);
}

void PhysicsWorld::fetchSimulationResults()
{
    if (!parts || parts->pendingReports.empty()) return;
    std::vector<TriggerPair> reports;
    reports.swap(parts->pendingReports);
    if (callback) callback->onTrigger(reports.data(), static_cast<uint32_t>(reports.size()));
}

RayHit PhysicsWorld::raycast(const glm::vec3& origin, const glm::vec3& direction, float maxDistance) const
{
    RayHit best;
    if (!parts || maxDistance <= 0.0f) return best;
    const float length = std::sqrt(direction.x * direction.x + direction.y * direction.y + direction.z * direction.z);
    if (length == 0.0f || !std::isfinite(length)) return best;
    const glm::vec3 dir = direction / length;

    const btVector3 from = toBullet(origin);
    const btVector3 to = toBullet(origin + dir * maxDistance);
    ProxyRayCollector collector(from, to);
    parts->broadphase->rayTest(from, to, collector);

    for (const btBroadphaseProxy* proxy : collector.proxies) {
        if (!(proxy->m_collisionFilterMask & collision::kRayQuery)) continue;
        const auto* object = static_cast<const btCollisionObject*>(proxy->m_clientObject);
        const btCollisionShape* shape = object->getCollisionShape();
        if (shape->getShapeType() == BOX_SHAPE_PROXYTYPE) {
            const auto* halfExtents = static_cast<const glm::vec3*>(shape->getUserPointer());
            const btTransform& pose = object->getWorldTransform();
            const btVector3 localOrigin = pose.invXform(from);
            const btVector3 localDir = pose.getBasis().transpose() * toBullet(dir);
            const auto entry = intersectRayBox(toGlm(localOrigin), toGlm(localDir), maxDistance, *halfExtents);
            if (!entry || (best.hit && entry->distance >= best.distance)) continue;
            best.hit = true;
            best.distance = entry->distance;
            best.position = origin + dir * entry->distance;
            best.normal = entry->distance == 0.0f ? -dir : toGlm(pose.getBasis() * toBullet(entry->normal));
            best.object = object;
        } else {
            btCollisionWorld::ClosestRayResultCallback single(from, to);
            btTransform fromPose(btQuaternion::getIdentity(), from);
            btTransform toPose(btQuaternion::getIdentity(), to);
            btCollisionWorld::rayTestSingle(fromPose, toPose, const_cast<btCollisionObject*>(object), shape,
                                            object->getWorldTransform(), single);
            if (!single.hasHit()) continue;
            const float distance = single.m_closestHitFraction * maxDistance;
            if (best.hit && distance >= best.distance) continue;
            best.hit = true;
            best.distance = distance;
            best.position = toGlm(single.m_hitPointWorld);
            best.normal = toGlm(single.m_hitNormalWorld);
            best.object = object;
        }
    }
    return best;
}

glm::vec3 PhysicsWorld::positionOf(const btRigidBody* body)
{
    return body ? toGlm(body->getWorldTransform().getOrigin()) : glm::vec3(0.0f);
}

glm::vec3 PhysicsWorld::velocityOf(const btRigidBody* body)
{
    return body ? toGlm(body->getLinearVelocity()) : glm::vec3(0.0f);
}
