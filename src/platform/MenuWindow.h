#pragma once
#include <array>
#include <vector>

#include "sim/frame/GamepadKeys.h"
#include "sim/menu/MenuInput.h"

struct GLFWwindow;

// The menus' side of the window: what the keyboard, the pads and the pointer
// give the menus each frame. The menus' own keys are fixed (MenuInput).
class MenuWindow {
public:
    explicit MenuWindow(GLFWwindow* window);
    // This frame's input for the menus; the pointer in render pixels of a
    // `renderWidth` × `renderHeight` picture stretched over the window.
    MenuFrameInput poll(float renderWidth, float renderHeight);
    // What the menus hold right now (for a menu opening under held keys).
    MenuButtons held() const;
    // While a menu is open the pointer shows and keys are sticky (a tap
    // between two frames is read once); play keeps the modes it had.
    void showMenu(bool shown);

private:
    GLFWwindow* window;
    std::vector<KeyboardKey> keysDown;  // the keys down at the last poll, in order
    std::array<bool, GamepadState::ButtonCount> padButtonsDown{};
    double lastX = -1.0, lastY = -1.0;
    bool mouseWasDown = true;
    bool pointerShown = false;
    bool pointerSettling = true;  // the next poll only notes where the pointer is
    int playCursor;  // the cursor mode of play (shown in debug mode, else hidden)
};
