#include "sim/ghost/GhostRun.h"

#include <glm/geometric.hpp>

#include "sim/frame/GameSession.h"

GhostRun::GhostRun(Replay recorded, const std::string& settingsPath, const std::string& levelPath)
    : replay(std::move(recorded)), run(settingsPath, levelPath, replay.header.settings)
{
}

void GhostRun::advanceTo(float target)
{
    bool stepped = false;
    while (!over() && playTime() < target && !stepped) {
        const ReplayFrame frame = frames.next();
        run.exactFrame(keysOf(frame.keys), frame.deltaTime);
        const GameSession& s = run.session();
        if (s.frame.stepDue && s.input.gameStarted) {
            stepped = true;
            ++steps;
        }
    }
}

glm::vec3 GhostRun::position() const { return run.session().character.getPosition(); }

float GhostRun::playTime() const { return run.session().frame.playTime; }

float GhostRun::distanceToGoal() const
{
    return glm::distance(position(), run.session().level->goal->geometry.position);
}

bool GhostRun::over() const { return frames.atEnd() || run.closed(); }
