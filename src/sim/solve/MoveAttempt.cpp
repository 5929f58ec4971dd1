#include "sim/solve/MoveAttempt.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

#include "sim/frame/GameSession.h"
#include "sim/run/HeadlessRun.h"
#include "sim/replay/ReplayFile.h"

bool StopSignal::raised() const
{
    if (stop && stop->load(std::memory_order_relaxed)) return true;
    return deadline && std::chrono::steady_clock::now() >= *deadline;
}

MoveResult runMoveAttempt(const LevelFiles& files, const LevelSurfaces& level, const MoveAttempt& attempt,
                          const StopSignal& stop)
{
    MoveResult result;
    HeadlessRun run(files.settingsPath, files.levelPath);
    const GameSession& session = run.session();
    const auto stopped = [&] {
        result.kind = MoveResult::Kind::Stopped;
        return result;
    };
    for (const KeyMask keys : *attempt.prefix) {
        if ((result.simulated & 1023) == 0 && stop.raised()) return stopped();
        run.frame(keysOf(keys));
        ++result.simulated;
    }
    result.prefixFrames = static_cast<int>(attempt.prefix->size());
    if (session.gameManager.gameState != Playing) return result;  // a prefix that no longer holds

    JumpPilot pilot(attempt.target, attempt.style, level.gravity);
    for (int frame = 0; frame < kMoveFrameLimit; ++frame) {
        if ((frame & 255) == 0 && stop.raised()) return stopped();
        const glm::vec3 p = session.character.getPosition();
        const glm::vec3 v = PhysicsWorld::velocityOf(session.character.body);
        const bool grounded = std::abs(v.y) < 1.5f && level.standingOn(p).has_value();
        const std::vector<Key> keys = pilot.decide(p, v, grounded);
        if (pilot.settled()) {
            result.kind = MoveResult::Kind::Settled;
            result.surface = *level.standingOn(p);
            result.powerUpUsed = session.voidState.powerUpUsed;
            return result;
        }
        run.frame(keys);
        ++result.simulated;
        result.moveKeys.push_back(maskOf(keys));
        const glm::vec3 after = session.character.getPosition();
        result.closestToGoal = std::min(result.closestToGoal, glm::distance(after, level.goal));
        result.highest = std::max(result.highest, after.y);
        if (session.gameManager.gameState == Won) {
            result.kind = MoveResult::Kind::Won;
            return result;
        }
        if (session.gameManager.gameState == Lost || after.y < level.lowestTop - 3.0f) return result;
    }
    return result;
}
