#include "sim/records/BestRuns.h"

#include <cctype>
#include <ostream>

#include "core/DurableFile.h"
#include "core/XdgPaths.h"
#include "sim/replay/ReplayPlayback.h"

namespace fs = std::filesystem;

std::optional<fs::path> defaultBestRunFolder(const char* xdgDataHome, const char* home)
{
    const auto base = xdgFolder(xdgDataHome, home, ".local/share");
    if (!base) return std::nullopt;
    return *base / "vaultrise" / "best";
}

fs::path bestRunPath(const fs::path& folder, const std::string& level)
{
    std::string safe;
    for (char c : level) safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    return folder / ("level" + safe.substr(0, 40) + ".replay");
}

bool saveBestRun(const fs::path& path, const Replay& replay, std::ostream& log)
{
    std::string bytes = formatReplayHeader(replay.header);
    for (const ReplayFrame& frame : replay.frames) bytes += formatReplayFrame(frame);
    return replaceFileDurably(path, bytes, log, "Best run");
}

std::optional<Replay> loadBestRun(const fs::path& path, const std::string& levelPath, const std::string& settingsPath)
{
    std::error_code error;
    if (!fs::is_regular_file(path, error)) return std::nullopt;
    ReplayParse parsed = loadReplay(path.string());
    if (!parsed.replay || !replayMismatch(parsed.replay->header, levelPath, settingsPath).empty()) return std::nullopt;
    return std::move(parsed.replay);
}
