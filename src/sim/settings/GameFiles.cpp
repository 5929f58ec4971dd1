#include "sim/settings/GameFiles.h"

#include "sim/settings/LaunchOptions.h"

namespace fs = std::filesystem;

fs::path installedDataFolder(const fs::path& executable)
{
    return executable.parent_path().parent_path() / "share" / "vaultrise";
}

std::variant<GameFiles, std::string> findGameFiles(const GameFilesSearch& search,
                                                   const std::function<bool(const fs::path&)>& exists)
{
    if (search.namedSettings) return GameFiles{*search.namedSettings, "", false};
    if (exists(kDefaultSettingsPath)) return GameFiles{kDefaultSettingsPath, "", false};

    std::string looked = "the current folder";
    if (!search.executable.empty()) {
        const fs::path installed = installedDataFolder(search.executable);
        if (exists(installed / kDefaultSettingsPath))
            return GameFiles{(installed / kDefaultSettingsPath).string(), installed.string(), true};
        looked += ", " + installed.string();

        const bool inBuildFolder = exists(search.executable.parent_path() / "CMakeCache.txt");
        if (inBuildFolder && !search.sourceTree.empty()) {
            if (exists(search.sourceTree / kDefaultSettingsPath))
                return GameFiles{(search.sourceTree / kDefaultSettingsPath).string(), search.sourceTree.string(),
                                 true};
            looked += ", " + search.sourceTree.string();
        }
    }
    return "Vaultrise: cannot find the game's data (" + std::string(kDefaultSettingsPath) + ") in " + looked +
           "; reinstall the game or name the settings with --settings FILE";
}
