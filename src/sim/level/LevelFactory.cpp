#include "sim/level/LevelFactory.h"

#include <cmath>
#include <ostream>
#include <utility>

#include "core/IniFile.h"

namespace {

// A size that is not a finite number must not reach the physics engine.
float goalSize(const IniFile& settings, const char* key, std::ostream& log)
{
    const float value = settings.getFloat("elements", key, 1.0f);
    if (std::isfinite(value)) return value;
    log << "LevelFactory: elements " << key << " is not a finite number, using 1\n";
    return 1.0f;
}

}  // namespace

LevelFactory::LevelFactory(std::string assetPath, PhysicsWorld* world, const IniFile* settings, std::ostream& log)
    : assetPath(std::move(assetPath)), world(world), settings(settings), log(&log)
{
}

Platform LevelFactory::createPlatform(const glm::vec3& position, const glm::vec3& halfExtents, unsigned texture)
{
    return Platform(position, halfExtents, texture, world);
}

Platform LevelFactory::createFloor(const glm::vec2& halfExtentsXZ, unsigned texture)
{
    return Platform(glm::vec3(0.0f), glm::vec3(halfExtentsXZ.x, 0.5f, halfExtentsXZ.y), texture, world);
}

Goal LevelFactory::createGoal(const glm::vec3& position, unsigned texture)
{
    glm::vec3 size(1.0f);
    if (settings) {
        size.x = goalSize(*settings, "goalX", *log);
        size.y = goalSize(*settings, "goalY", *log);
        size.z = goalSize(*settings, "goalZ", *log);
    }
    return Goal(position, size * 0.5f, texture, world);
}

PowerUp LevelFactory::createPowerUp(const std::string& /*name*/, const glm::vec3& position)
{
    return PowerUp(position, world);
}

Character LevelFactory::createCharacter() { return Character(world); }
