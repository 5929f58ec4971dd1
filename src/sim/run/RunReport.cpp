#include "sim/run/RunReport.h"

#include <cstring>

#include <btBulletDynamicsCommon.h>

#include "sim/frame/GameSession.h"
#include "core/ContentHash.h"

namespace {

// Feeds values into the hash by their bytes, so that -0 and 0 or two NaNs differ as the bits do.
struct StateHasher {
    uint64_t hash = fnv1a64("");
    template <typename T>
    void add(const T& value)
    {
        char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        hash = fnv1a64(std::string_view(bytes, sizeof(T)), hash);
    }
    void add(const btVector3& v)
    {
        for (int i = 0; i < 3; ++i) add(v[i]);
    }
};

}  // namespace

void RunTally::afterFrame(const GameSession& session)
{
    ++frames;
    if (decidedFrame == 0 && session.gameManager.gameState != Playing) decidedFrame = frames;
}

RunReport RunTally::report(const GameSession& session) const
{
    RunReport report;
    const int32_t state = session.gameManager.gameState;
    report.outcome = state == Won ? RunOutcome::Won : state == Lost ? RunOutcome::Lost : RunOutcome::Unfinished;
    report.decidedFrame = decidedFrame;
    report.frames = frames;
    report.position = session.character.getPosition();
    report.stateHash = simulationStateHash(session);
    report.playTime = session.frame.playTime;
    return report;
}

uint64_t simulationStateHash(const GameSession& s)
{
    StateHasher h;
    h.add(s.frame.frameCount);
    h.add(s.frame.deltaTime);
    h.add(s.frame.stepAccumulator);
    h.add(s.gameManager.gameState);
    h.add(s.input.gameStarted);
    h.add(s.input.useGameCamera);
    h.add(s.camera.followSide);
    h.add(s.voidState.voidHeight);
    h.add(s.voidState.powerUpUsed);
    h.add(s.character.jumpCooldown);
    h.add(s.character.secondJumpCooldown);
    if (const btRigidBody* body = s.character.body) {
        const btTransform& t = body->getWorldTransform();
        h.add(t.getOrigin());
        for (int row = 0; row < 3; ++row) h.add(t.getBasis()[row]);
        h.add(body->getLinearVelocity());
        h.add(body->getAngularVelocity());
    }
    return h.hash;
}

const char* outcomeName(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::Won: return "won";
    case RunOutcome::Lost: return "lost";
    case RunOutcome::Unfinished: break;
    }
    return "unfinished";
}

std::string summaryLine(const RunReport& report)
{
    const int frame = report.outcome == RunOutcome::Unfinished ? report.frames : report.decidedFrame;
    return std::string(outcomeName(report.outcome)) + " frame " + std::to_string(frame) + " state " +
           hashText(report.stateHash);
}
