#pragma once
#include <memory>

class FrameHost;
class GameSession;
class KeyHandler;

// The simulation side of one frame, in the game's fixed order: clock, warm-up,
// fixed-step decision, input and movement, physics step, HUD values, goal and
// loss tests, then everything the render pass needs decided (camera, matrices,
// animation counter, culling, the void's rise, jump timers). The renderer then
// draws the session's state without changing it.
class GameLoop {
public:
    GameLoop(GameSession& session, FrameHost& host);
    ~GameLoop();

    // `time` is the window system's clock in seconds at the start of the frame.
    void runFrame(float time);

private:
    void handleInput();
    void playStep();
    void decideGameOutcome();
    void prepareRender();

    GameSession& session;
    FrameHost& host;
    std::unique_ptr<KeyHandler> keys;
};
