#include "sim/level/LevelFactory.h"

#include <ostream>

#include "core/FiniteValue.h"
#include "core/IniFile.h"

LevelFactory::LevelFactory(PhysicsWorld* world, const IniFile* settings, std::ostream& log)
    : world(world), settings(settings), log(&log)
{
}

Platform LevelFactory::createPlatform(const glm::vec3& position, const glm::vec3& halfExtents)
{
    return Platform(position, halfExtents, world);
}

Platform LevelFactory::createFloor(const glm::vec2& halfExtentsXZ)
{
    Platform floor(glm::vec3(0.0f), glm::vec3(halfExtentsXZ.x, 0.5f, halfExtentsXZ.y), world);
    floor.kind = ObjectKind::Floor;
    return floor;
}

Goal LevelFactory::createGoal(const glm::vec3& position)
{
    // A size that is not a finite number must not reach the physics engine, and
    // one that is not positive makes a goal nobody can reach.
    glm::vec3 size(1.0f);
    if (settings) {
        size.x = readFiniteFloat(*settings, "elements", "goalX", 1.0f, *log, "LevelFactory", kWorldSize);
        size.y = readFiniteFloat(*settings, "elements", "goalY", 1.0f, *log, "LevelFactory", kWorldSize);
        size.z = readFiniteFloat(*settings, "elements", "goalZ", 1.0f, *log, "LevelFactory", kWorldSize);
    }
    return Goal(position, size * 0.5f, world);
}

PowerUp LevelFactory::createPowerUp(const glm::vec3& position)
{
    return PowerUp(position, world);
}

Character LevelFactory::createCharacter() { return Character(world); }
