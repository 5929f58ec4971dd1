#include "sim/level/Level.h"

#include <cmath>
#include <map>
#include <ostream>

#include "core/FiniteValue.h"
#include "core/IniFile.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/level/LevelFactory.h"

namespace {

// One kind of box listed in the level file: platforms or walls.
struct EntryKind {
    const char* section;    // "platforms"
    const char* prefix;     // "platform"
    const char* catalogue;  // "plat_"
    ObjectKind drawnAs;     // platforms are animated, walls still; either shows its side (blue: z > 0)
};

bool allFinite(const glm::vec3& v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Reads the entry count; a count far beyond any real level would exhaust
// memory or stall start-up, so it is cut to kMaxLevelEntries.
long entryCount(const IniFile& levelFile, const EntryKind& kind, std::ostream& log)
{
    const long total = levelFile.getInt(kind.section, "total", 0);
    if (total <= kMaxLevelEntries) return total;
    log << "Level: " << kind.section << " total " << total << " is above the limit of " << kMaxLevelEntries
        << ", building " << kMaxLevelEntries << "\n";
    return kMaxLevelEntries;
}

// One catalogue size as the settings give it, and as it is used once checked.
struct CatalogueSize {
    glm::vec3 given{1.0f};
    glm::vec3 usable{1.0f};
};

// The catalogue entry of one type, read and checked on first use, so that a
// size that is not positive gets one line however many boxes use it.
const CatalogueSize& catalogueSize(std::map<std::string, CatalogueSize>& sizes, const IniFile* settings,
                                   const std::string& sizeKey, std::ostream& log)
{
    auto [entry, added] = sizes.try_emplace(sizeKey);
    CatalogueSize& size = entry->second;
    if (!added || !settings) return size;
    for (int axis = 0; axis < 3; ++axis) {
        const std::string key = sizeKey + "XYZ"[axis];
        size.given[axis] = settings->getFloat("elements", key, 1.0f);
        if (std::isfinite(size.given[axis]))
            size.usable[axis] = checkFiniteFloat(size.given[axis], "elements", key.c_str(), 1.0f, log, "Level",
                                                 kWorldSize);
    }
    return size;
}

void addEntries(Level& level, const IniFile& levelFile, const IniFile* settings, LevelFactory& factory,
                const EntryKind& kind, std::ostream& log)
{
    std::map<std::string, CatalogueSize> sizes;
    const long total = entryCount(levelFile, kind, log);
    for (long i = 0; i < total; ++i) {
        const std::string key = kind.prefix + std::to_string(i);
        glm::vec3 centre;
        centre.x = levelFile.getFloat(kind.section, key + "x", 0.0f);
        centre.y = levelFile.getFloat(kind.section, key + "y", 0.0f);
        centre.z = levelFile.getFloat(kind.section, key + "z", 0.0f);
        const std::string type = levelFile.getString(kind.section, key + "type", "regular");
        const CatalogueSize& catalogue = catalogueSize(sizes, settings, kind.catalogue + type, log);

        // A nan or infinite box would poison the physics world; leave it out.
        if (!allFinite(centre) || !allFinite(catalogue.given)) {
            log << "Level: " << key << " has a position or size that is not a finite number, skipped\n";
            continue;
        }
        // A finite value far out of the world is replaced by its default.
        for (int axis = 0; axis < 3; ++axis)
            centre[axis] = checkFiniteFloat(centre[axis], kind.section, (key + "xyz"[axis]).c_str(), 0.0f, log,
                                            "Level", kWorldCoordinate);
        const glm::vec3 size = catalogue.usable;

        const bool blue = centre.z > 0.0f;
        Platform platform = factory.createPlatform(centre, size * 0.5f);
        platform.kind = kind.drawnAs;
        platform.isBlue = blue;
        level.platforms.push_back(platform);
    }
}

// "<level setting> [<level name>]", as the HUD shows it; "---" for a level without a name.
std::string levelLabel(const std::string& levelSetting, const IniFile& levelFile)
{
    return levelSetting + " [" + levelFile.getString("general", "name", "---") + "]";
}

Platform makePicture(LevelFactory& factory, const glm::vec3& centre, const glm::vec3& halfExtents, float tiltAngle)
{
    Platform picture = factory.createPlatform(centre, halfExtents);
    picture.disableSimulation();
    picture.tiltAngle = tiltAngle;
    return picture;
}

}  // namespace

IniFile openLevelFile(const std::string& path, std::ostream& log)
{
    IniFile file(path, log);
    if (!file.readable()) log << "Level: cannot read " << path << ", the level is left empty\n";
    return file;
}

std::unique_ptr<Level> buildLevel(const IniFile& levelFile, const std::string& levelSetting, LevelFactory& factory,
                                  VoidState& voidState, std::ostream& log)
{
    auto level = std::make_unique<Level>();

    const EntryKind platforms{"platforms", "platform", "plat_", ObjectKind::Platform};
    const EntryKind walls{"walls", "wall", "wall_", ObjectKind::Wall};
    addEntries(*level, levelFile, factory.settings, factory, platforms, log);
    addEntries(*level, levelFile, factory.settings, factory, walls, log);

    // The world has already read (and checked) the dimensions.
    float dimensionZ = 10.0f;
    float dimensionX = 10.0f;
    if (factory.world) {
        dimensionZ = factory.world->dimensions[2];
        dimensionX = factory.world->dimensions[0];
    } else {
        dimensionZ = readFiniteFloat(levelFile, "world", "dimensionZ", 10.0f, log, "Level", kWorldSize);
        dimensionX = readFiniteFloat(levelFile, "world", "dimensionX", 10.0f, log, "Level", kWorldSize);
    }
    level->platforms.push_back(
        factory.createFloor(glm::vec2(dimensionX * 0.5f, dimensionZ * 0.5f)));

    glm::vec3 goalCentre;
    goalCentre.x = readFiniteFloat(levelFile, "goal", "goalX", 0.0f, log, "Level", kWorldCoordinate);
    goalCentre.y = readFiniteFloat(levelFile, "goal", "goalY", 0.0f, log, "Level", kWorldCoordinate);
    goalCentre.z = readFiniteFloat(levelFile, "goal", "goalZ", 0.0f, log, "Level", kWorldCoordinate);
    level->goal.emplace(factory.createGoal(goalCentre));

    level->voidPlane = Geometry(glm::vec3(0.0f), glm::vec3(300.0f, 0.01f, 100.0f));
    const float voidSpeed = readFiniteFloat(levelFile, "world", "voidSpeed", 1.0f, log, "Level", kWorldCoordinate);
    level->voidHandler.emplace(voidSpeed, voidState);

    level->powerUp.emplace(factory.createPowerUp(glm::vec3(-10.0f, 32.0f, 5.0f)));

    level->label = levelLabel(levelSetting, levelFile);

    level->goalPad.emplace(makePicture(factory, glm::vec3(goalCentre.x, goalCentre.y - 2.5f, goalCentre.z),
                                       glm::vec3(5.0f, 0.1f, 5.0f), 0.0f));
    level->frontScreen.emplace(makePicture(factory, glm::vec3(0.0f, 50.0f, 80.0f), glm::vec3(160.0f, 90.0f, 0.1f), 20.0f));
    level->backScreen.emplace(makePicture(factory, glm::vec3(0.0f, 50.0f, -80.0f), glm::vec3(160.0f, 90.0f, 0.1f), -20.0f));
    return level;
}
