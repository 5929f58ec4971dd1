#pragma once
#include <functional>
#include <string>
#include <vector>

#include "sim/campaign/Campaign.h"
#include "sim/menu/MenuModel.h"

class BestTimes;
class LevelProgress;
struct StartupConfig;

// One set of levels level select lists: its name (its heading; empty: none)
// and the level settings in play order ("2" plays level2.ini).
struct LevelSet {
    std::string name;
    std::vector<std::string> levels;
};

// The sets there are. Without a campaign (no sets): every shipped
// <assetPath>/settings/level<N>.ini for N from 0 to 99, in number order, in a
// set without a name. With one: the campaign's sets in its order, each with
// those of its levels that ship, then the shipped levels it leaves out, in
// number order, in a set of their own. Last, the player's own levels (those
// no shipped level hides) in a set of their own, by name.
std::vector<LevelSet> installedLevelSets(const StartupConfig& config, const Campaign& campaign = {});

// The medal a best time earns on the level file at a path ("GOLD"; empty: none).
using MedalOf = std::function<std::string(const std::string& levelPath, float seconds)>;

// The levels of `sets` as level select lists them, set after set: the name
// each file gives, the player's best time on that file (`times` may be null:
// no records) and its medal (`medalOf` may be empty: none), and whether it is
// locked. Without a campaign (no sets) the first of each set is open and the
// rest open as the one before is won; with one, its unlocks decide (medals as
// listed here, wins as `progress` keeps them).
std::vector<MenuLevel> listLevels(const StartupConfig& config, const std::vector<LevelSet>& sets,
                                  const BestTimes* times, const LevelProgress& progress, bool unlockAll,
                                  const MedalOf& medalOf = {}, const Campaign& campaign = {});

// The name progress keeps a level by: "level2" for the level setting "2".
std::string progressName(const std::string& level);
