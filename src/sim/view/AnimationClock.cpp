#include "sim/view/AnimationClock.h"

#include <cstddef>

#include "sim/frame/FrameState.h"

namespace {
constexpr float kFrameInterval = 0.016666668f;
}

void advanceAnimation(FrameState& frame)
{
    if (frame.frameCount % 2 != 0) return;
    frame.animationTimer += frame.deltaTime;
    if (frame.animationTimer >= kFrameInterval) {
        frame.animationTimer = 0.0f;
        ++frame.animationFrame;
    }
}

unsigned frameFor(const FrameSequence& sequence, int32_t animationFrame)
{
    if (sequence.empty()) return 0;
    return sequence[static_cast<std::size_t>(animationFrame) % sequence.size()];
}
