#include "sim/view/AnimationClock.h"

#include "core/Units.h"
#include "sim/frame/FrameState.h"

void advanceAnimation(FrameState& frame)
{
    if (frame.frameCount % 2 != 0) return;
    frame.animationTimer += frame.deltaTime;
    // The pictures change at most once per fixed step.
    if (frame.animationTimer >= kFixedStep) {
        frame.animationTimer = 0.0f;
        ++frame.animationFrame;
    }
}

unsigned frameFor(const FrameSequence& sequence, int32_t animationFrame)
{
    if (sequence.empty()) return 0;
    return sequence[static_cast<std::size_t>(animationFrame) % sequence.size()];
}
