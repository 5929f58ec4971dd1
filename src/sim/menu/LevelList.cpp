#include "sim/menu/LevelList.h"

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "core/ContentHash.h"
#include "core/IniFile.h"
#include "sim/records/BestTimes.h"
#include "sim/records/LevelProgress.h"
#include "sim/settings/StartupConfig.h"

namespace fs = std::filesystem;

namespace {

constexpr int kHighestLevel = 99;  // as the next-level search
constexpr const char* kPlayerSet = "YOUR LEVELS";

bool isFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

std::string progressName(const std::string& level) { return "level" + level; }

std::vector<LevelSet> installedLevelSets(const StartupConfig& config)
{
    std::vector<LevelSet> sets(1);
    StartupConfig probe = config;
    for (int n = 0; n <= kHighestLevel; ++n) {
        probe.level = std::to_string(n);
        if (isFile(probe.shippedLevelPath())) sets[0].levels.push_back(probe.level);
    }
    if (config.playerLevelFolder.empty()) return sets;
    LevelSet own{kPlayerSet, {}};
    std::error_code error;
    for (fs::directory_iterator it(config.playerLevelFolder, error), end; !error && it != end; it.increment(error)) {
        const std::string file = it->path().filename().string();
        if (file.size() <= 9 || file.rfind("level", 0) != 0 || file.substr(file.size() - 4) != ".ini") continue;
        probe.level = file.substr(5, file.size() - 9);
        if (!isFile(probe.shippedLevelPath()) && isFile(it->path().string())) own.levels.push_back(probe.level);
    }
    std::sort(own.levels.begin(), own.levels.end());
    if (!own.levels.empty()) sets.push_back(own);
    return sets;
}

std::vector<MenuLevel> listLevels(const StartupConfig& config, const std::vector<LevelSet>& sets,
                                  const BestTimes* times, const LevelProgress& progress, bool unlockAll,
                                  const MedalOf& medalOf)
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
    return levels;
}
