#include "sim/proof/ProofRunMeasure.h"

#include <algorithm>
#include <cmath>

#include "sim/frame/GameSession.h"
#include "sim/level/Level.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/replay/FrameCursor.h"
#include "sim/run/HeadlessRun.h"

namespace {

// The platform the sphere (radius 1) has come down on, or -1: its bottom lies
// on the top face, it barely moves vertically and its centre is over the top
// or within half a unit of its edge (the tolerances the recording autopilot
// takes for a landing).
int platformStoodOn(const Level& level, size_t platforms, const glm::vec3& p, const glm::vec3& v)
{
    if (std::abs(v.y) >= 1.5f) return -1;
    for (size_t i = 0; i < platforms && i < level.platforms.size(); ++i) {
        const Platform& box = level.platforms[i];
        const float top = box.position.y + box.halfExtents.y;
        if (std::abs(p.y - 1.0f - top) < 0.4f && std::abs(p.x - box.position.x) < box.halfExtents.x + 0.5f &&
            std::abs(p.z - box.position.z) < box.halfExtents.z + 0.5f)
            return static_cast<int>(i);
    }
    return -1;
}

}  // namespace

ProofRunMeasure measureProofRun(const Replay& replay, const std::string& settingsPath, const std::string& levelPath,
                                bool powerUpSpent)
{
    HeadlessRun run(settingsPath, levelPath, replay.header.settings);
    GameSession& session = run.session();
    if (powerUpSpent) session.voidState.powerUpUsed = true;
    const size_t platforms = static_cast<size_t>(session.levelFile.getInt("platforms", "total", 0));

    ProofRunMeasure measure;
    bool tabDown = false;
    for (FrameCursor frames(replay.frames); !frames.atEnd() && !run.closed();) {
        const ReplayFrame frame = frames.next();
        const bool tab = (frame.keys & keyBit(Key::Tab)) != 0;
        if (tab && !tabDown) ++measure.cameraFlips;
        tabDown = tab;

        run.exactFrame(keysOf(frame.keys), frame.deltaTime);
        const std::vector<FrameEvent>& events = run.view().events;
        measure.doubleJumps += static_cast<int>(std::count_if(
            events.begin(), events.end(), [](const FrameEvent& e) { return e.kind == FrameEventKind::SecondJump; }));

        const int on = platformStoodOn(*session.level, platforms, session.character.getPosition(),
                                       PhysicsWorld::velocityOf(session.character.body));
        if (on >= 0 && (measure.landings.empty() || measure.landings.back() != on)) measure.landings.push_back(on);
    }
    measure.report = run.report();
    return measure;
}
