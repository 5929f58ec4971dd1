#pragma once
#include <iosfwd>

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

#include "sim/gameplay/Character.h"
#include "sim/gameplay/PowerUp.h"
#include "sim/level/Goal.h"
#include "sim/level/Platform.h"

class IniFile;
class PhysicsWorld;

// Creates the level's boxes, the goal, the power-up and the character in one world.
class LevelFactory {
public:
    LevelFactory(PhysicsWorld* world, const IniFile* settings, std::ostream& log);

    Platform createPlatform(const glm::vec3& position, const glm::vec3& halfExtents);
    // A platform at the origin with half extents (x, 0.5, z).
    Platform createFloor(const glm::vec2& halfExtentsXZ);
    // Sized by goalX, goalY, goalZ of the settings' element catalogue.
    Goal createGoal(const glm::vec3& position);
    PowerUp createPowerUp(const glm::vec3& position);
    Character createCharacter();

    PhysicsWorld* world = nullptr;
    const IniFile* settings = nullptr;
    std::ostream* log;
};
