#pragma once
#include "sim/frame/FrameHost.h"

struct GLFWwindow;

// The keys of a windowed replay, read from the window and any gamepad, never
// recorded: pause (the pause action's key, pad Start), one frame back or
// forward (Left/Right, pad d-pad; with Shift one second), restart (Home) and
// take over (T, pad Y). Each fires once per press.
class PracticeControls {
public:
    PracticeControls(GLFWwindow* window, const FrameHost& keys) : window(window), keys(keys) {}

    // Reads the keys after the window's events were polled.
    void read();

    bool pauseToggled = false;
    int step = 0;  // frames to move: -60, -1, 0, 1 or 60
    bool restart = false;
    bool takeOver = false;

private:
    bool edge(bool down, bool& wasUp);

    GLFWwindow* window;
    const FrameHost& keys;
    bool pauseUp = true, backUp = true, forwardUp = true, homeUp = true, takeOverUp = true;
};
