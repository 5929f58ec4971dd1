#pragma once
#include <memory>

#include "sim/view/FrameView.h"

class FrameHost;
class GameSession;
class KeyHandler;

// The simulation side of one frame, in the game's fixed order: clock, warm-up,
// fixed-step decision, input and movement, physics step, HUD values, goal and
// loss tests; then the camera follows, the frame's view is decided (matrices,
// culling, what is drawn), the power-up spins, the void rises and the jump
// timers run. The renderer then draws the returned view without changing
// anything.
class GameLoop {
public:
    GameLoop(GameSession& session, FrameHost& host);
    ~GameLoop();

    // `time` is the window system's clock in seconds at the start of the frame.
    // The frame value stays valid until the next call.
    FrameView& runFrame(float time);
    // The same frame with its `deltaTime` given exactly instead of taken from a
    // clock: a replay feeds back the recorded values bit for bit.
    FrameView& runFrameAfter(float deltaTime);

private:
    void advanceClock(float deltaTime);
    void decideStep();
    FrameView& pausedFrame();
    void handleInput();
    void playStep();
    void decideGameOutcome();
    void followCamera();
    void decideView();
    void spinPowerUp();
    void riseVoid();
    // Lists an event of this frame at the astronaut's place.
    void addEvent(FrameEventKind kind, float speed = 0.0f);

    GameSession& session;
    FrameHost& host;
    std::unique_ptr<KeyHandler> keys;
    FrameView view;
};
