#include "sim/records/WinKeeper.h"

#include <cctype>
#include <cstdio>
#include <ostream>

#include "core/ContentHash.h"
#include "sim/frame/GameSession.h"
#include "sim/records/BestRuns.h"
#include "sim/records/BestTimes.h"

namespace {

std::string upper(std::string text)
{
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

WinKeeper::WinKeeper(std::optional<std::filesystem::path> recordsPath,
                     std::optional<std::filesystem::path> bestRunFolder, std::string settingsPath)
    : recordsPath(std::move(recordsPath)), bestRunFolder(std::move(bestRunFolder)), settingsPath(std::move(settingsPath))
{
}

std::optional<float> WinKeeper::authorTimeOf(const std::string& levelPath)
{
    const auto known = authorTimes.find(levelPath);
    if (known != authorTimes.end()) return known->second;
    return authorTimes[levelPath] = authorTime(levelPath, settingsPath);
}

bool WinKeeper::keep(GameSession& session, const Replay* recorded, bool show, std::ostream& log)
{
    const float seconds = session.frame.playTime;
    const std::string levelPath = session.config.levelFilePath();
    bool newBest = false;
    if (recordsPath) {
        BestTimes times(*recordsPath);
        if (times.load(log)) newBest = times.offer(hashText(levelFileHash(session.levelFile)), seconds, log);
    }
    if (newBest && bestRunFolder && recorded)
        saveBestRun(bestRunPath(*bestRunFolder, session.config.level), *recorded, log);
    // Only a game that stays open after the win shows it; otherwise the run's
    // lines stay as they always were and the record is kept silently.
    if (!show) return newBest;
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.2f", static_cast<double>(seconds));
    log << "Time: " << shown << " s" << (newBest ? " NEW BEST" : "") << "\n";
    session.hud.notes.push_back(std::string("TIME ") + shown + " S" + (newBest ? "  NEW BEST" : ""));
    showMedal(session, seconds, log);
    return newBest;
}

void WinKeeper::showMedal(GameSession& session, float seconds, std::ostream& log)
{
    const std::string levelPath = session.config.levelFilePath();
    const auto author = authorTimeOf(levelPath);
    if (!author) {
        if (toldNoMedals.insert(levelPath).second)
            log << "No medals: level " << session.config.level << " has no proof run that wins it\n";
        return;
    }
    const Medal medal = medalFor(seconds, author);
    log << "Medal: " << medalName(medal) << "\n";
    session.hud.notes.push_back("MEDAL " + upper(medalName(medal)));
}
