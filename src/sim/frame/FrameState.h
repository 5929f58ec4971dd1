#pragma once
#include <cstdint>

// Per-run frame values that several parts of the game read: the clock, the
// warm-up, the fixed-step bookkeeping and the animation counter. One instance
// is owned by the entry point (or by a test) for the whole run.
struct FrameState {
    float deltaTime = 0.0f;  // never clamped: the first frame covers all of start-up
    float lastFrame = 0.0f;
    int32_t frameCount = 0;  // frames begun; 1 in the first frame
    int32_t loadTime = 120;
    float stepAccumulator = 0.0f;
    bool stepDue = false;
    int32_t animationFrame = 0;
    float animationTimer = 0.0f;
    int32_t objectsDrawn = 0;
    float playTime = 0.0f;  // seconds played from the first Space, pauses left out; stops once decided

    bool warmUpOver() const { return frameCount > loadTime; }
};
