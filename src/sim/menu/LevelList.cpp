#include "sim/menu/LevelList.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <set>
#include <sstream>

#include "core/ContentHash.h"
#include "core/IniFile.h"
#include "sim/campaign/Unlocks.h"
#include "sim/records/BestTimes.h"
#include "sim/records/LevelProgress.h"
#include "sim/settings/StartupConfig.h"

namespace fs = std::filesystem;

namespace {

constexpr int kHighestLevel = 99;  // as the next-level search
constexpr const char* kPlayerSet = "YOUR LEVELS";
constexpr const char* kOutsideSet = "MORE LEVELS";  // shipped levels the campaign leaves out

bool isFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

std::string progressName(const std::string& level) { return "level" + level; }

std::vector<LevelSet> installedLevelSets(const StartupConfig& config, const Campaign& campaign)
{
    StartupConfig probe = config;
    const auto ships = [&probe](const std::string& level) {
        probe.level = level;
        return isFile(probe.shippedLevelPath());
    };
    std::vector<LevelSet> sets;
    for (const CampaignSet& set : campaign.sets) {
        LevelSet listed{set.name, {}};
        std::copy_if(set.levels.begin(), set.levels.end(), std::back_inserter(listed.levels), ships);
        if (!listed.levels.empty()) sets.push_back(listed);
    }
    LevelSet rest{campaign.sets.empty() ? "" : kOutsideSet, {}};
    for (int n = 0; n <= kHighestLevel; ++n)
        if (const std::string level = std::to_string(n); !campaign.contains(level) && ships(level))
            rest.levels.push_back(level);
    if (!rest.levels.empty()) sets.push_back(rest);
    if (config.playerLevelFolder.empty()) return sets;
    LevelSet own{kPlayerSet, {}};
    std::error_code error;
    for (fs::directory_iterator it(config.playerLevelFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().filename().string();
        if (file.size() <= 9 || file.rfind("level", 0) != 0 || file.substr(file.size() - 4) != ".ini") continue;
        const std::string level = file.substr(5, file.size() - 9);
        if (!ships(level) && isFile(it->path().string())) own.levels.push_back(level);
    }
    std::sort(own.levels.begin(), own.levels.end());
    if (!own.levels.empty()) sets.push_back(own);
    return sets;
}

std::vector<MenuLevel> listLevels(const StartupConfig& config, const std::vector<LevelSet>& sets,
                                  const BestTimes* times, const LevelProgress& progress, bool unlockAll,
                                  const MedalOf& medalOf, const Campaign& campaign)
{
    std::vector<MenuLevel> levels;
    StartupConfig probe = config;
    for (const LevelSet& set : sets) {
        std::vector<std::string> names;
        for (const std::string& name : set.levels) names.push_back(progressName(name));
        const std::vector<bool> locked = progress.locked(names, unlockAll);
        for (size_t i = 0; i < set.levels.size(); ++i) {
            probe.level = set.levels[i];
            const std::string path = probe.levelFilePath();
            MenuLevel level;
            level.level = set.levels[i];
            level.set = set.name;
            std::ostringstream quiet;  // a level that cannot be read says so when it is played
            level.name = IniFile(path, quiet).getString("general", "name", "");
            if (times) level.bestSeconds = times->best(hashText(levelFileHash(path)));
            if (level.bestSeconds && medalOf) level.medal = medalOf(path, *level.bestSeconds);
            level.locked = locked[i];
            levels.push_back(level);
        }
    }
    if (campaign.sets.empty()) return levels;
    std::set<std::string> won, medalled;
    for (const MenuLevel& level : levels) {
        if (progress.won(progressName(level.level))) won.insert(level.level);
        if (!level.medal.empty()) medalled.insert(level.level);
    }
    const auto among = [](const std::set<std::string>& levels) {
        return [&levels](const std::string& level) { return levels.count(level) > 0; };
    };
    for (MenuLevel& level : levels)
        level.locked = !levelUnlocked(campaign, level.level, among(won), among(medalled), unlockAll);
    return levels;
}
