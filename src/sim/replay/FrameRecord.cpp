#include "sim/replay/FrameRecord.h"

#include <algorithm>

#include "sim/frame/GameSession.h"

ReplayFrame recordedFrame(const GameSession& session, KeyMask keys)
{
    const bool paused = session.frame.warmUpOver() && session.input.paused && session.input.useGameCamera;
    if (paused) return ReplayFrame{0.0f, keys, true, 1};
    return ReplayFrame{session.frame.deltaTime, keys, false, 1};
}

void appendFrame(std::vector<ReplayFrame>& lines, const ReplayFrame& frame)
{
    if (!frame.paused) {
        lines.push_back(frame);
        return;
    }
    for (uint32_t left = frame.repeat; left > 0;) {
        const bool joins = !lines.empty() && lines.back().paused && lines.back().keys == frame.keys &&
                           lines.back().repeat < kPausedRunLimit;
        if (!joins) lines.push_back(ReplayFrame{0.0f, frame.keys, true, 0});
        const uint32_t taken = std::min(left, kPausedRunLimit - lines.back().repeat);
        lines.back().repeat += taken;
        left -= taken;
    }
}
