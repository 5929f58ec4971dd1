#include "sim/replay/ReplayPlayback.h"

#include <filesystem>
#include <ostream>

#include "core/ContentHash.h"
#include "sim/run/HeadlessRun.h"
#include "sim/settings/StartupConfig.h"

ReplayHeader recordingHeader(const std::string& levelSetting, const std::string& levelPath,
                             const std::string& settingsPath, const SimulationSettings& settings)
{
    ReplayHeader header;
    header.gameVersion = gameVersion();
    header.level = levelSetting;
    header.levelFile = std::filesystem::path(levelPath).filename().string();
    header.levelHash = levelFileHash(levelPath);
    header.catalogueHash = catalogueHash(settingsPath);
    header.settings = settings;
    return header;
}

std::string replayMismatch(const ReplayHeader& header, const std::string& levelPath, const std::string& settingsPath)
{
    if (levelFileHash(levelPath) != header.levelHash)
        return levelPath + " is not the level file the run was recorded on (" + header.levelFile + " " +
               hashText(header.levelHash) + ")";
    if (catalogueHash(settingsPath) != header.catalogueHash)
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
        err << "replay " << path << ": the file ends inside frame " << parsed.replay->frames.size() + 1
            << "; playing the " << parsed.replay->frames.size() << " whole frames\n";
    return std::move(parsed.replay);
}

RunReport playReplayHeadless(const Replay& replay, const std::string& settingsPath, const std::string& levelPath)
{
    HeadlessRun run(settingsPath, levelPath, replay.header.settings);
    for (const ReplayFrame& frame : replay.frames) {
        if (run.closed()) break;
        run.exactFrame(keysOf(frame.keys), frame.deltaTime);
    }
    return run.report();
}
