#include "sim/level/Level.h"

#include <cmath>
#include <ostream>

#include "core/FiniteValue.h"
#include "core/IniFile.h"
#include "sim/gameplay/GameManager.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/level/LevelFactory.h"

namespace {

// One kind of box listed in the level file: platforms or walls.
struct EntryKind {
    const char* section;    // "platforms"
    const char* prefix;     // "platform"
    const char* catalogue;  // "plat_"
    unsigned blueTexture;   // z > 0
    unsigned magentaTexture;
    bool animated;
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

void addEntries(Level& level, const IniFile& levelFile, const IniFile* settings, LevelFactory& factory,
                const EntryKind& kind, std::ostream& log)
{
    const long total = entryCount(levelFile, kind, log);
    for (long i = 0; i < total; ++i) {
        const std::string key = kind.prefix + std::to_string(i);
        glm::vec3 centre;
        centre.x = levelFile.getFloat(kind.section, key + "x", 0.0f);
        centre.y = levelFile.getFloat(kind.section, key + "y", 0.0f);
        centre.z = levelFile.getFloat(kind.section, key + "z", 0.0f);
        const std::string type = levelFile.getString(kind.section, key + "type", "regular");

        glm::vec3 size(1.0f);
        if (settings) {
            const std::string sizeKey = kind.catalogue + type;
            size.x = settings->getFloat("elements", sizeKey + "X", 1.0f);
            size.y = settings->getFloat("elements", sizeKey + "Y", 1.0f);
            size.z = settings->getFloat("elements", sizeKey + "Z", 1.0f);
        }
        // A nan or infinite box would poison the physics world; leave it out.
        if (!allFinite(centre) || !allFinite(size)) {
            log << "Level: " << key << " has a position or size that is not a finite number, skipped\n";
            continue;
        }

        const bool blue = centre.z > 0.0f;
        Platform platform = factory.createPlatform(centre, size * 0.5f, blue ? kind.blueTexture : kind.magentaTexture);
        platform.isAnimated = kind.animated;
        platform.isBlue = blue;
        level.platforms.push_back(platform);
    }
}

// "<level setting> [<level name>]", as the HUD shows it; "---" for a level without a name.
std::string levelLabel(const std::string& levelSetting, const IniFile& levelFile)
{
    return levelSetting + " [" + levelFile.getString("general", "name", "---") + "]";
}

Platform makePicture(LevelFactory& factory, const glm::vec3& centre, const glm::vec3& halfExtents, unsigned texture,
                     float tiltAngle)
{
    Platform picture = factory.createPlatform(centre, halfExtents, texture);
    picture.disableSimulation();
    picture.tiltAngle = tiltAngle;
    return picture;
}

}  // namespace

std::unique_ptr<Level> buildLevel(const IniFile& levelFile, const std::string& levelSetting, LevelFactory& factory,
                                  const LevelTextures& textures, VoidState& voidState, GameManager& gameManager,
                                  std::ostream& log)
{
    auto level = std::make_unique<Level>();

    const EntryKind platforms{"platforms", "platform", "plat_", textures.platformBlueFirst,
                              textures.platformMagentaFirst, true};
    const EntryKind walls{"walls", "wall", "wall_", textures.platformsBlue, textures.platformsMagenta, false};
    addEntries(*level, levelFile, factory.settings, factory, platforms, log);
    addEntries(*level, levelFile, factory.settings, factory, walls, log);

    // The world has already read (and checked) the dimensions.
    float dimensionZ = 10.0f;
    float dimensionX = 10.0f;
    if (factory.world) {
        dimensionZ = factory.world->dimensions[2];
        dimensionX = factory.world->dimensions[0];
    } else {
        dimensionZ = levelFile.getFloat("world", "dimensionZ", 10.0f);
        dimensionX = levelFile.getFloat("world", "dimensionX", 10.0f);
    }
    level->platforms.push_back(
        factory.createFloor(glm::vec2(dimensionX * 0.5f, dimensionZ * 0.5f), textures.platformsBlue));

    glm::vec3 goalCentre;
    goalCentre.x = readFiniteFloat(levelFile, "goal", "goalX", 0.0f, log, "Level");
    goalCentre.y = readFiniteFloat(levelFile, "goal", "goalY", 0.0f, log, "Level");
    goalCentre.z = readFiniteFloat(levelFile, "goal", "goalZ", 0.0f, log, "Level");
    level->goal.emplace(factory.createGoal(goalCentre, textures.door));

    // The single laser texture; the main loop swaps in the current laser frame before each draw.
    level->voidPlane = Geometry(glm::vec3(0.0f), glm::vec3(300.0f, 0.01f, 100.0f), textures.laser);
    const float voidSpeed = levelFile.getFloat("world", "voidSpeed", 1.0f);
    level->voidHandler.emplace(voidSpeed, &voidState);
    gameManager.voidHandler = &*level->voidHandler;
    if (!gameManager.voidState) gameManager.voidState = &voidState;

    // Copying into the optional re-points the trigger at the stored power-up.
    level->powerUp.emplace(factory.createPowerUp("", glm::vec3(-10.0f, 32.0f, 5.0f)));

    level->label = levelLabel(levelSetting, levelFile);

    level->goalPad.emplace(makePicture(factory, glm::vec3(goalCentre.x, goalCentre.y - 2.5f, goalCentre.z),
                                       glm::vec3(5.0f, 0.1f, 5.0f), textures.videoFirst, 0.0f));
    level->frontScreen.emplace(makePicture(factory, glm::vec3(0.0f, 50.0f, 80.0f), glm::vec3(160.0f, 90.0f, 0.1f),
                                           textures.videoFrontFirst, 20.0f));
    level->backScreen.emplace(makePicture(factory, glm::vec3(0.0f, 50.0f, -80.0f), glm::vec3(160.0f, 90.0f, 0.1f),
                                          textures.videoBackFirst, -20.0f));
    return level;
}
