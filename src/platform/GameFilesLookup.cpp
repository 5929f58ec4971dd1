#include "platform/GameFilesLookup.h"

#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "core/XdgPaths.h"
#include "sim/settings/GameFiles.h"

namespace fs = std::filesystem;

bool lookUpGameFiles(LaunchOptions& options, std::ostream& announce, std::ostream& err)
{
    GameFilesSearch search;
    if (options.settingsNamed) search.namedSettings = options.settingsPath;
    std::error_code error;
    search.executable = fs::read_symlink("/proc/self/exe", error);
    // The tree this binary was configured from; used only when it runs from
    // its build folder.
    search.sourceTree = VAULTRISE_SOURCE_DIR;
    // Any file counts as found, not only a regular one: a settings file the
    // file checks refuse (a FIFO) is refused with its own line, as it always was.
    const auto found = findGameFiles(search, [](const fs::path& path) {
        std::error_code ignored;
        return fs::exists(path, ignored);
    });
    if (const auto* line = std::get_if<std::string>(&found)) {
        err << *line << "\n";
        return false;
    }
    const GameFiles& files = std::get<GameFiles>(found);
    options.settingsPath = files.settingsPath;
    options.dataFolder = files.dataFolder;
    if (files.announce) announce << "Settings: " << files.settingsPath << "\n";

    if (const auto data = xdgFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"), ".local/share"))
        options.playerLevelFolder = (*data / "vaultrise" / "levels").string();
    return true;
}
