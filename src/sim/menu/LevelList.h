#pragma once
#include <functional>
#include <string>
#include <vector>

#include "sim/menu/MenuModel.h"

class BestTimes;
class LevelProgress;
struct StartupConfig;

// One set of levels level select lists: its name (empty for the levels that
// ship) and the level settings in play order ("2" plays level2.ini).
struct LevelSet {
    std::string name;
    std::vector<std::string> levels;
};

// The sets there are: every shipped <assetPath>/settings/level<N>.ini for N
// from 0 to 99, in number order, then the player's own levels (those no
// shipped level hides) in a set of their own, by name.
std::vector<LevelSet> installedLevelSets(const StartupConfig& config);

// The medal a best time earns on the level file at a path ("GOLD"; empty: none).
using MedalOf = std::function<std::string(const std::string& levelPath, float seconds)>;

// The levels of `sets` as level select lists them, set after set: the name
// each file gives, the player's best time on that file (`times` may be null:
// no records) and its medal (`medalOf` may be empty: none), and whether it is
// locked (the first of each set never is).
std::vector<MenuLevel> listLevels(const StartupConfig& config, const std::vector<LevelSet>& sets,
                                  const BestTimes* times, const LevelProgress& progress, bool unlockAll,
                                  const MedalOf& medalOf = {});

// The name progress keeps a level by: "level2" for the level setting "2".
std::string progressName(const std::string& level);
