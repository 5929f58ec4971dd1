#pragma once
#include "sim/frame/FrameHost.h"
#include "sim/settings/KeyBindings.h"

struct GLFWwindow;

// The frame logic's view of the real window: GLFW events, key polling through
// the settings' key bindings, every connected gamepad, cursor mode and the
// close flag (the polygon mode is the renderer's).
class GlfwFrameHost : public FrameHost {
public:
    GlfwFrameHost(GLFWwindow* window, const KeyBindings& bindings) : window(window), bindings(bindings) {}

    // Polls the window's events and then every joystick slot, so a pad
    // plugged in or pulled out while playing counts from the next frame.
    void pollEvents() override;
    // The bound keyboard key or any gamepad holding the key.
    bool isKeyDown(Key key) const override;
    void setWireframe(bool on) override;
    void setCursorVisible(bool visible) override;
    void requestClose() override;
    // The keys [controls] binds to the frame rate and the screenshot.
    bool isWindowKeyDown(WindowKey key) const override;

private:
    GLFWwindow* window;
    KeyBindings bindings;
    KeyMask padKeys = 0;  // the keys the gamepads held at the last poll
};
