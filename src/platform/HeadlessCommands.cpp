#include "platform/HeadlessCommands.h"

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>

#include "core/IniFile.h"
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

int runHeadlessReplay(const LaunchOptions& options, std::ostream& out, std::ostream& err)
{
    StartupConfig config = quietConfig(options);
    const auto replay = openReplay(*options.replayPath, options.settingsPath, config, options.force, err);
    if (!replay) return 1;
    out << summaryLine(playReplayHeadless(*replay, options.settingsPath, config.levelFilePath())) << "\n";
    return 0;
}

int runLevelCheck(const LaunchOptions& options, std::ostream& out)
{
    const std::string& level = *options.checkLevel;
    const bool number = std::all_of(level.begin(), level.end(), [](unsigned char c) { return std::isdigit(c); });
    LaunchOptions numbered = options;
    if (number) numbered.level = level;
    const std::string levelPath = number ? quietConfig(numbered).levelFilePath() : level;
    return checkLevel(levelPath, options.settingsPath, out) ? 0 : 1;
}
