#include "platform/HeadlessCommands.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>

#include "core/IniFile.h"
#include "platform/SolveCommand.h"
#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/settings/StartupConfig.h"

namespace {

// The settings as the game would read them; their own complaints (an unusable
// window size) do not matter to a run without a window.
StartupConfig quietConfig(const LaunchOptions& options)
{
    std::ostringstream ignored;
    return StartupConfig::read(IniFile(options.settingsPath, ignored), ignored, options);
}

}  // namespace

std::string hiddenLevelLine(const StartupConfig& config, const std::string& hidden)
{
    return "Level: " + config.shippedLevelPath() + " ships with the game and wins; " + hidden + " is not used";
}

int runHeadlessReplay(const LaunchOptions& options, std::ostream& out, std::ostream& err)
{
    StartupConfig config = quietConfig(options);
    const auto replay = openReplay(*options.replayPath, options.settingsPath, config, options.force, err);
    if (!replay) return 1;
    out << summaryLine(playReplayHeadless(*replay, options.settingsPath, config.levelFilePath())) << "\n";
    return 0;
}

std::string levelPathFor(const LaunchOptions& options, const std::string& level)
{
    // A name (no folder, no extension) is a level setting: the shipped level
    // or the player's of that name; anything else a file.
    const bool name = std::all_of(level.begin(), level.end(),
                                  [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '_'; });
    LaunchOptions named = options;
    if (name) named.level = level;
    return name ? quietConfig(named).levelFilePath() : level;
}

int runLevelCheck(const LaunchOptions& options, std::ostream& out, std::ostream& progressOut)
{
    const std::string& level = *options.checkLevel;
    const std::string levelPath = levelPathFor(options, level);
    if (levelPath != level) {
        LaunchOptions named = options;
        named.level = level;
        const StartupConfig config = quietConfig(named);
        if (const auto hidden = config.hiddenPlayerLevel()) out << hiddenLevelLine(config, *hidden) << "\n";
    }
    const InterruptStopsSearch stopper;
    const SolveRequest request = solveRequestFor(options, levelPath, progressOut);
    return checkLevel(levelPath, options.settingsPath, out,
                      [&] { return proveBySearch(request, options.solve.saveProof, out); })
               ? 0
               : 1;
}
