#pragma once
#include <functional>
#include <string>

struct Campaign;

// Whether a player may start `level` (a level setting). Progress is asked of
// the two functions by level setting, so editing a level file keeps its
// unlocks: `won` tells whether the level has been won, `atLeastBronze`
// whether its best time earns at least the bronze medal.
//
// - `unlockAll` (for testers) opens everything;
// - levels outside the campaign are always open, as without a campaign;
// - the first level of the first set is open;
// - a later level of a set opens when the one before it in its set is won;
// - the first level of a later set opens when every level of the set before
//   it has at least bronze (an empty set before it asks nothing).
bool levelUnlocked(const Campaign& campaign, const std::string& level,
                   const std::function<bool(const std::string&)>& won,
                   const std::function<bool(const std::string&)>& atLeastBronze, bool unlockAll);
