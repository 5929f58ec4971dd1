#pragma once
#include "platform/MenuWindow.h"
#include "sim/frame/FrameHost.h"
#include "sim/settings/KeyBindings.h"
#include "sim/settings/PadBindings.h"

struct GLFWwindow;

// The frame logic's view of the real window: GLFW events, key polling through
// the settings' key bindings, every connected gamepad, cursor mode and the
// close flag (the polygon mode is the renderer's).
class GlfwFrameHost : public FrameHost {
public:
    GlfwFrameHost(GLFWwindow* window, const KeyBindings& bindings, const PadBindings& padButtons)
        : window(window), bindings(bindings), padButtons(padButtons), menus(window)
    {
    }

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
    MenuFrameInput menuInput(float renderWidth, float renderHeight) override
    {
        return menus.poll(renderWidth, renderHeight);
    }
    MenuButtons menuHeld() const override { return menus.held(); }
    void showMenu(bool shown) override { menus.showMenu(shown); }

    // The controls menu rebound a key or a button: from the next poll on.
    void setBindings(const KeyBindings& keys, const PadBindings& buttons)
    {
        bindings = keys;
        padButtons = buttons;
    }

private:
    GLFWwindow* window;
    KeyBindings bindings;
    PadBindings padButtons;
    MenuWindow menus;
    KeyMask padKeys = 0;  // the keys the gamepads held at the last poll
};
