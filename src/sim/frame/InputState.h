#pragma once
#include <array>

#include "sim/frame/Key.h"

// Toggles and one-shot requests raised by the key handling and consumed by the
// frame logic and the renderer.
struct InputState {
    bool useGameCamera = true;
    bool moveForwardRequested = false;
    bool moveBackRequested = false;
    bool moveLeftRequested = false;
    bool moveRightRequested = false;
    bool jumpRequested = false;
    bool switchSideRequested = false;
    bool gameStarted = false;  // set by the first press of the jump key, never cleared
    bool paused = false;  // P: the world, the void, the timers and the animations stand still
    bool hudVisible = true;
    bool cullingEnabled = false;
    bool wireframe = false;
    bool cursorShown = false;  // last state chosen by key, not the start-up state
    bool firstMouse = true;
    float lastCursorX = 960.0f;
    float lastCursorY = 540.0f;

    // Whether each edge-triggered key was up at the previous key handling.
    std::array<bool, static_cast<size_t>(Key::Count)> wasUp = make_all_up();

private:
    static std::array<bool, static_cast<size_t>(Key::Count)> make_all_up()
    {
        std::array<bool, static_cast<size_t>(Key::Count)> up{};
        up.fill(true);
        return up;
    }
};
