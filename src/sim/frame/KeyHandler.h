#pragma once
#include <iosfwd>

#include "sim/frame/Key.h"

class Camera;
class FrameHost;
struct InputState;

// Per-frame key handling by polling: level-triggered movement and edge-triggered
// toggles, each edge remembered through a was-up flag. Debug keys (F1, F3, F4)
// work only in debug mode; outside it their memories are left untouched.
class KeyHandler {
public:
    KeyHandler(InputState& input, Camera& camera, FrameHost& host, bool debug, std::ostream& log);

    void processKeys(float deltaTime);

private:
    // True on the frame the key goes down; updates the key's was-up memory.
    bool pressEdge(Key key);

    InputState& input;
    Camera& camera;
    FrameHost& host;
    bool debug;
    std::ostream& log;
};

// Mouse handling shared by the window callback and tests: the first event only
// sets the reference point; screen y grows downwards, so moving up raises the pitch.
void handleCursorMove(InputState& input, Camera& camera, double x, double y);
