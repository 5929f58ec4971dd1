#pragma once
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "core/IniFile.h"
#include "sim/gameplay/PowerUp.h"
#include "sim/gameplay/VoidHandler.h"
#include "sim/level/Geometry.h"
#include "sim/level/Goal.h"
#include "sim/level/Platform.h"

class LevelFactory;
struct VoidState;

// Everything one level file builds, in creation order.
struct Level {
    Level() = default;
    Level(const Level&) = delete;
    Level& operator=(const Level&) = delete;

    std::vector<Platform> platforms;  // level platforms, walls, then the floor
    std::optional<Goal> goal;
    Geometry voidPlane;
    std::optional<VoidHandler> voidHandler;
    std::optional<PowerUp> powerUp;
    std::optional<Platform> goalPad;
    std::optional<Platform> frontScreen;
    std::optional<Platform> backScreen;
    glm::vec3 flagPlacement{-5.0f, 80.0f, -25.0f};
    std::string label;
};

// Entry counts above this are cut to it (with one line on the log).
inline constexpr long kMaxLevelEntries = 10000;

// Opens the level file; one that is missing or refused gets one line naming it
// (the game then plays the default, empty level).
IniFile openLevelFile(const std::string& path, std::ostream& log);

// Builds the level from its file: platforms and walls sized by the settings'
// element catalogue, the floor, goal, void, power-up, goal pad and screens.
std::unique_ptr<Level> buildLevel(const IniFile& levelFile, const std::string& levelSetting, LevelFactory& factory,
                                  VoidState& voidState, std::ostream& log);
