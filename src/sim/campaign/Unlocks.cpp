#include "sim/campaign/Unlocks.h"

#include <algorithm>

#include "sim/campaign/Campaign.h"

bool levelUnlocked(const Campaign& campaign, const std::string& level,
                   const std::function<bool(const std::string&)>& won,
                   const std::function<bool(const std::string&)>& atLeastBronze, bool unlockAll)
{
    if (unlockAll) return true;
    for (size_t s = 0; s < campaign.sets.size(); ++s) {
        const std::vector<std::string>& levels = campaign.sets[s].levels;
        const auto at = std::find(levels.begin(), levels.end(), level);
        if (at == levels.end()) continue;
        if (at != levels.begin()) return won(*(at - 1));
        if (s == 0) return true;
        const std::vector<std::string>& before = campaign.sets[s - 1].levels;
        return std::all_of(before.begin(), before.end(), atLeastBronze);
    }
    return true;
}
