#include "platform/MenuWindow.h"

#include <GLFW/glfw3.h>

#include <algorithm>

#include "platform/GlfwKeyCodes.h"
#include "platform/GlfwPads.h"

MenuWindow::MenuWindow(GLFWwindow* window) : window(window), playCursor(glfwGetInputMode(window, GLFW_CURSOR)) {}

MenuButtons MenuWindow::held() const
{
    MenuButtons buttons =
        menuKeysHeld([this](KeyboardKey key) { return glfwGetKey(window, glfwKeyCode(key)) == GLFW_PRESS; });
    for (const GamepadState& state : connectedPads()) buttons |= menuPadHeld(state);
    return buttons;
}

MenuFrameInput MenuWindow::poll(float renderWidth, float renderHeight)
{
    MenuFrameInput in;
    // Each key is asked once: with sticky keys a tap shorter than a frame
    // reads as down once, and a second question would miss it.
    std::vector<KeyboardKey> down;
    for (int k = 1; k < static_cast<int>(KeyboardKey::Count); ++k)
        if (glfwGetKey(window, glfwKeyCode(static_cast<KeyboardKey>(k))) == GLFW_PRESS)
            down.push_back(static_cast<KeyboardKey>(k));
    in.held = menuKeysHeld([&down](KeyboardKey key) { return std::binary_search(down.begin(), down.end(), key); });
    for (const GamepadState& state : connectedPads()) in.held |= menuPadHeld(state);
    for (KeyboardKey key : down)
        if (!std::binary_search(keysDown.begin(), keysDown.end(), key)) {
            in.keyPressed = key;
            break;
        }
    keysDown = down;

    std::array<bool, GamepadState::ButtonCount> buttons{};
    for (const GamepadState& state : connectedPads())
        for (size_t b = 0; b < buttons.size(); ++b) buttons[b] = buttons[b] || state.buttons[b];
    for (size_t b = 0; b < buttons.size() && !in.padButtonPressed; ++b)
        if (buttons[b] && !padButtonsDown[b]) in.padButtonPressed = static_cast<int>(b);
    padButtonsDown = buttons;

    double x = 0.0, y = 0.0;
    int width = 0, height = 0;
    glfwGetCursorPos(window, &x, &y);
    glfwGetWindowSize(window, &width, &height);
    const bool mouseDown = glfwGetMouseButton(window, GLFW_MOUSE_BUTTON_LEFT) == GLFW_PRESS;
    const bool moved = !pointerSettling && (x != lastX || y != lastY);
    if (pointerShown && width > 0 && height > 0 && (moved || (mouseDown && !mouseWasDown))) {
        // Window coordinates run down from the top; the picture is stretched over the window.
        in.pointer = std::pair{static_cast<float>(x / width) * renderWidth,
                               static_cast<float>(1.0 - y / height) * renderHeight};
        in.clicked = mouseDown && !mouseWasDown;
    }
    lastX = x;
    lastY = y;
    mouseWasDown = mouseDown;
    pointerSettling = false;
    return in;
}

void MenuWindow::showMenu(bool shown)
{
    if (shown == pointerShown) return;
    pointerShown = shown;
    glfwSetInputMode(window, GLFW_CURSOR, shown ? GLFW_CURSOR_NORMAL : playCursor);
    // A menu key tapped between two frames still counts; play reads keys as it always did.
    glfwSetInputMode(window, GLFW_STICKY_KEYS, shown ? GLFW_TRUE : GLFW_FALSE);
    mouseWasDown = true;  // a click that opened nothing does not choose
    // Showing the pointer puts it back where it was: no movement of the player's.
    pointerSettling = true;
}
