#include "sim/replay/ReplayPlayback.h"

#include "sim/replay/FrameCursor.h"

#include <filesystem>
#include <ostream>
#include <sstream>

#include "core/IniFile.h"
#include "sim/frame/GameSession.h"

#include "core/ContentHash.h"
#include "sim/replay/CatalogueHash.h"
#include "sim/run/HeadlessRun.h"
#include "sim/settings/StartupConfig.h"

namespace {

ReplayHeader headerFor(const std::string& levelSetting, const std::string& levelPath, const IniFile& levelFile,
                       const IniFile& settingsFile, const SimulationSettings& settings)
{
    ReplayHeader header;
    header.gameVersion = gameVersion();
    header.level = levelSetting;
    header.levelFile = std::filesystem::path(levelPath).filename().string();
    header.levelHash = levelFileHash(levelFile);
    header.catalogueHash = catalogueHash(settingsFile, levelFile);
    header.settings = settings;
    return header;
}

}  // namespace

ReplayHeader recordingHeader(const GameSession& session)
{
    const StartupConfig& config = session.config;
    return headerFor(config.level, config.levelFilePath(), session.levelFile, session.settings,
                     SimulationSettings::of(config));
}

ReplayHeader recordingHeader(const std::string& levelSetting, const std::string& levelPath,
                             const std::string& settingsPath, const SimulationSettings& settings)
{
    std::ostringstream quiet;
    return headerFor(levelSetting, levelPath, IniFile(levelPath, quiet), IniFile(settingsPath, quiet), settings);
}

std::string replayMismatch(const ReplayHeader& header, const std::string& levelPath, const std::string& settingsPath)
{
    if (header.simulation != kSimulationVersion)
        return "it was recorded with simulation " + std::to_string(header.simulation) + " (game " +
               header.gameVersion + "), this vaultrise runs simulation " + std::to_string(kSimulationVersion);
    std::ostringstream quiet;
    const IniFile levelFile(levelPath, quiet);
    if (levelFileHash(levelFile) != header.levelHash)
        return levelPath + " is not the level file the run was recorded on (" + header.levelFile + " " +
               hashText(header.levelHash) + ")";
    if (catalogueHash(IniFile(settingsPath, quiet), levelFile) != header.catalogueHash)
        return "the [elements] catalogue in " + settingsPath + " has changed since the run was recorded";
    return "";
}

std::optional<Replay> openReplay(const std::string& path, const std::string& settingsPath, StartupConfig& config,
                                 bool force, std::ostream& err)
{
    ReplayParse parsed = loadReplay(path);
    if (!parsed.replay) {
        err << parsed.error << "\n";
        return std::nullopt;
    }
    const ReplayHeader& header = parsed.replay->header;
    config.level = header.level;
    header.settings.applyTo(config);
    if (const std::string changed = replayMismatch(header, config.levelFilePath(), settingsPath); !changed.empty()) {
        if (!force) {
            err << "replay " << path << " refused: " << changed << "; --force plays it anyway\n";
            return std::nullopt;
        }
        err << "replay " << path << ": " << changed << "; playing it anyway (--force)\n";
    }
    if (parsed.replay->cutShort)
        err << "replay " << path << ": the file ends inside frame " << frameCount(parsed.replay->frames) + 1
            << "; playing the " << frameCount(parsed.replay->frames) << " whole frames\n";
    return std::move(parsed.replay);
}

RunReport playReplayHeadless(const Replay& replay, const std::string& settingsPath, const std::string& levelPath)
{
    HeadlessRun run(settingsPath, levelPath, replay.header.settings);
    for (FrameCursor frames(replay.frames); !frames.atEnd() && !run.closed();) {
        const ReplayFrame frame = frames.next();
        run.exactFrame(keysOf(frame.keys), frame.deltaTime);
    }
    return run.report();
}
