#include "sim/ghost/GhostRace.h"

#include <cstdio>
#include <ostream>

#include <glm/geometric.hpp>

#include "sim/frame/GameSession.h"
#include "sim/records/BestRuns.h"
#include "sim/proof/ProofRun.h"
#include "sim/replay/ReplayPlayback.h"

GhostRace::GhostRace(Replay replay, const std::string& settingsPath, const std::string& levelPath, bool shown)
    : run(std::move(replay), settingsPath, levelPath), shown(shown)
{
}

void GhostRace::afterFrame(const GameSession& live)
{
    const float liveTime = live.frame.playTime;
    run.advanceTo(liveTime);
    ghostApproach.add(run.playTime(), run.distanceToGoal());
    racing = live.input.gameStarted && live.gameManager.gameState == Playing;
    if (!racing) return;
    const float distance = glm::distance(live.character.getPosition(), live.level->goal->geometry.position);
    player.add(liveTime, distance);
    lastGap = raceGap(player, liveTime, distance, ghostApproach);
}

void GhostRace::catchUp(const GameSession& live)
{
    // One step at a time, so that the ghost's approach to the goal is known all the way.
    while (!run.over() && run.playTime() < live.frame.playTime) {
        run.advanceTo(live.frame.playTime);
        ghostApproach.add(run.playTime(), run.distanceToGoal());
    }
}

std::optional<glm::vec3> GhostRace::shownPosition() const
{
    if (!shown) return std::nullopt;
    return run.position();
}

std::string GhostRace::gapText() const
{
    if (!shown || !racing || !lastGap) return "";
    return gapLine(*lastGap);
}

std::string gapLine(float seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "GHOST %+.2f S", static_cast<double>(seconds));
    return text;
}

std::optional<Replay> ghostReplay(GhostChoice choice, const StartupConfig& config, const std::string& settingsPath,
                                  const std::optional<std::filesystem::path>& bestRunFolder, std::ostream& log)
{
    const std::string levelPath = config.levelFilePath();
    if (choice == GhostChoice::Best) {
        if (!bestRunFolder) return std::nullopt;
        return loadBestRun(bestRunPath(*bestRunFolder, config.level), levelPath, settingsPath);
    }
    if (choice != GhostChoice::Author) return std::nullopt;
    ReplayParse proof = loadReplay(proofPathFor(levelPath));
    if (!proof.replay || !replayMismatch(proof.replay->header, levelPath, settingsPath).empty()) {
        log << "Ghost: level " << config.level << " has no proof run to race\n";
        return std::nullopt;
    }
    return std::move(proof.replay);
}
