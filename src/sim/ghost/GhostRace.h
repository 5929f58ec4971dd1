#pragma once
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

#include <glm/vec3.hpp>

#include "sim/ghost/ClosestApproach.h"
#include "sim/ghost/GhostRun.h"
#include "sim/settings/StartupConfig.h"

class GameSession;

// The ghost raced by the live run: moved on to the live run's play time after
// every frame, shown or hidden (G), with the gap in seconds for the HUD while
// the live run is being played. It only reads the live session, so a run
// plays the same with or without one.
class GhostRace {
public:
    GhostRace(Replay replay, const std::string& settingsPath, const std::string& levelPath, bool shown = true);

    // After the live run's frame: the ghost plays up to its play time (one
    // physics step at most) and the gap is measured.
    void afterFrame(const GameSession& live);
    // Where to draw it this frame; nullopt while it is hidden.
    std::optional<glm::vec3> shownPosition() const;
    // "GHOST +1.25 S" while racing a shown ghost; empty otherwise.
    std::string gapText() const;

    void toggle() { shown = !shown; }
    // A ghost brought in during a run: played up to the live run's play time at once.
    void catchUp(const GameSession& live);
    const GhostRun& ghost() const { return run; }
    std::optional<float> gap() const { return lastGap; }

private:
    GhostRun run;
    bool shown;
    ClosestApproach player, ghostApproach;
    std::optional<float> lastGap;
    bool racing = false;  // the live run is being played (started, not decided)
};

// "GHOST +1.25 S" (behind) or "GHOST -0.40 S" (ahead).
std::string gapLine(float seconds);

// The run a ghost of `choice` races on the configured level: the player's best
// run kept in `bestRunFolder`, or the level's proof run (its author). nullopt
// when there is none for the level file as it is now; a missing proof run
// costs one line on `log`, a missing best run none (there is none before a first win).
std::optional<Replay> ghostReplay(GhostChoice choice, const StartupConfig& config, const std::string& settingsPath,
                                  const std::optional<std::filesystem::path>& bestRunFolder, std::ostream& log);
