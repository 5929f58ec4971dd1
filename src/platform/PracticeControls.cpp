#include "platform/PracticeControls.h"

#include <GLFW/glfw3.h>

#include "platform/GlfwPads.h"

namespace {

// Whether any gamepad holds `button`.
bool padHolds(int button)
{
    for (const GamepadState& pad : connectedPads())
        if (pad.buttons[button]) return true;
    return false;
}

}  // namespace

bool PracticeControls::edge(bool down, bool& wasUp)
{
    const bool fired = down && wasUp;
    wasUp = !down;
    return fired;
}

void PracticeControls::read()
{
    const auto key = [this](int code) { return glfwGetKey(window, code) == GLFW_PRESS; };
    // The pause action's own key (P unless [controls] names another) or the pad's Start.
    pauseToggled = edge(keys.isKeyDown(Key::P), pauseUp);
    const int size = key(GLFW_KEY_LEFT_SHIFT) || key(GLFW_KEY_RIGHT_SHIFT) ? 60 : 1;
    step = 0;
    if (edge(key(GLFW_KEY_LEFT) || padHolds(GLFW_GAMEPAD_BUTTON_DPAD_LEFT), backUp)) step -= size;
    if (edge(key(GLFW_KEY_RIGHT) || padHolds(GLFW_GAMEPAD_BUTTON_DPAD_RIGHT), forwardUp)) step += size;
    restart = edge(key(GLFW_KEY_HOME), homeUp);
    takeOver = edge(key(GLFW_KEY_T) || padHolds(GLFW_GAMEPAD_BUTTON_Y), takeOverUp);
}
