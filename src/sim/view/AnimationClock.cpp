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
