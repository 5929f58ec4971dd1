#include "sim/frame/FrameClock.h"

#include "sim/frame/FrameState.h"

float ReadClock::nextDeltaTime(FrameState& frame)
{
    const float time = now();
    const float deltaTime = time - frame.lastFrame;
    frame.lastFrame = time;
    return deltaTime;
}

void ReadClock::sessionStarted(FrameState& frame) { frame.lastFrame = now(); }

float ScriptClock::nextDeltaTime(FrameState& frame)
{
    if (exact) return value;
    reading += value;
    const float deltaTime = reading - frame.lastFrame;
    frame.lastFrame = reading;
    return deltaTime;
}

void ScriptClock::sessionStarted(FrameState& frame)
{
    reading = 0.0f;
    frame.lastFrame = 0.0f;
}
