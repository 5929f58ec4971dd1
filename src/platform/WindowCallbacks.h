#pragma once

struct GLFWwindow;
struct InputState;
class Camera;

// What the window callbacks act on; set as the window's user pointer once the
// session exists (callbacks only fire while the frame loop polls events).
struct WindowTargets {
    InputState* input = nullptr;
    Camera* camera = nullptr;
    // Set when the window lost the focus or was minimised; the frame loop
    // reads and clears it.
    bool wentInactive = false;
    // [general] pauseWhenInactive as the options menu leaves it: it applies at
    // once, not only from the next session.
    bool pausesWhenInactive = false;
};

void installWindowCallbacks(GLFWwindow* window);
