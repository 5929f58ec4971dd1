#pragma once
#include <functional>

struct FrameState;

// Where a frame's deltaTime comes from. A clock that is read (the window
// system's, or a counter moved a fixed step a frame) gives the time between
// this reading and the last one, in float as the game always took it; a
// replay gives each recorded deltaTime exactly.
class FrameClock {
public:
    virtual ~FrameClock() = default;
    // The deltaTime of the frame about to run; a read clock keeps its reading in `frame.lastFrame`.
    virtual float nextDeltaTime(FrameState& frame) = 0;
    // A new session begins: its clock starts from now, not from the run's start.
    virtual void sessionStarted(FrameState& frame) = 0;
};

// A clock read in seconds: the window system's, or any function of time.
class ReadClock : public FrameClock {
public:
    explicit ReadClock(std::function<float()> now) : now(std::move(now)) {}
    float nextDeltaTime(FrameState& frame) override;
    void sessionStarted(FrameState& frame) override;

private:
    std::function<float()> now;
};

// The clock of runs without a window, replays and the benchmark: each frame
// either moves a counter by a step (read like the window's clock, so the
// rounding is the same) or lasts exactly a given deltaTime (a replay's). A new
// session starts the counter from 0 again.
class ScriptClock : public FrameClock {
public:
    void advance(float step) { exact = false, value = step; }
    void lastExactly(float deltaTime) { exact = true, value = deltaTime; }
    float nextDeltaTime(FrameState& frame) override;
    void sessionStarted(FrameState& frame) override;

private:
    bool exact = false;
    float value = 0.0f;
    float reading = 0.0f;
};
