#include "sim/campaign/Campaign.h"

#include <algorithm>
#include <sstream>

#include "core/IniFile.h"
#include "sim/frame/SessionStart.h"
#include "sim/settings/StartupConfig.h"

std::vector<std::string> Campaign::order() const
{
    std::vector<std::string> all;
    for (const CampaignSet& set : sets) all.insert(all.end(), set.levels.begin(), set.levels.end());
    return all;
}

bool Campaign::contains(const std::string& level) const
{
    const std::vector<std::string> all = order();
    return std::find(all.begin(), all.end(), level) != all.end();
}

Campaign readCampaign(const IniFile& file)
{
    Campaign campaign;
    const long sets = std::clamp(file.getInt("campaign", "sets", 0), 0L, 100L);
    for (long i = 1; i <= sets; ++i) {
        const std::string section = "set" + std::to_string(i);
        CampaignSet set{file.getString(section, "name", ""), {}};
        std::istringstream levels(file.getString(section, "levels", ""));
        for (std::string level; levels >> level;) set.levels.push_back(level);
        campaign.sets.push_back(std::move(set));
    }
    return campaign;
}

std::string campaignNext(const Campaign& campaign, const std::string& level,
                         const std::function<bool(const std::string&)>& levelExists)
{
    const std::vector<std::string> all = campaign.order();
    const auto at = std::find(all.begin(), all.end(), level);
    if (at == all.end()) return nextLevel(level, levelExists);
    const size_t here = static_cast<size_t>(at - all.begin());
    for (size_t step = 1; step < all.size(); ++step) {
        const std::string& candidate = all[(here + step) % all.size()];
        if (candidate != level && levelExists(candidate)) return candidate;
    }
    return level;
}

Campaign campaignOf(const StartupConfig& config, std::ostream& log)
{
    if (config.campaign.empty()) return {};
    return readCampaign(IniFile(config.campaignFilePath(), log));
}

std::string levelAfter(const StartupConfig& config, const std::function<bool(const std::string&)>& levelExists,
                       std::ostream& log)
{
    if (config.campaign.empty()) return nextLevel(config.level, levelExists);
    return campaignNext(campaignOf(config, log), config.level, levelExists);
}
