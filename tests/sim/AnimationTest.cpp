// The animation counter that every animated picture follows.
#include <gtest/gtest.h>

#include "sim/frame/FrameState.h"
#include "sim/view/AnimationClock.h"

TEST(AnimationClock, AdvancesOnEvenFramesOnceTheFloatSixtiethHasPassedAndDropsTheRemainder)
{
    // {frame count, delta time} -> {animation frame, timer} after the call.
    const struct {
        int32_t frameCount;
        float dt;
        int32_t animationFrame;
        float timer;
    } steps[] = {
        {1, 0.02f, 0, 0.0f},                   // odd: nothing, not even the time
        {2, 0.016666668f, 1, 0.0f},            // exactly the float 1/60 advances
        {4, 0.02f, 2, 0.0f},                   // the remainder is dropped (not 0.00333)
        {6, 0.016666666f, 2, 0.016666666f},    // the float just below 1/60 waits
        {7, 0.01f, 2, 0.016666666f},
        {8, 0.01f, 3, 0.0f},
    };
    FrameState frame;
    for (const auto& s : steps) {
        frame.frameCount = s.frameCount;
        frame.deltaTime = s.dt;
        advanceAnimation(frame);
        EXPECT_EQ(frame.animationFrame, s.animationFrame) << "frame " << s.frameCount;
        EXPECT_EQ(frame.animationTimer, s.timer) << "frame " << s.frameCount;
    }
}
