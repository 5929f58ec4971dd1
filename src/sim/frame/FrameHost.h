#pragma once
#include "sim/frame/Key.h"
#include "sim/menu/MenuInput.h"

// Keys the window acts on itself, never recorded: they change the picture and
// the files on disk, not the game.
enum class WindowKey { FrameRate, Screenshot, Mute, Ghost };

// What the frame logic needs from the window system. The real game implements
// it on GLFW; tests implement it with scripted keys and no window.
class FrameHost {
public:
    virtual ~FrameHost() = default;
    virtual void pollEvents() = 0;
    virtual bool isKeyDown(Key key) const = 0;
    virtual void setWireframe(bool on) = 0;
    virtual void setCursorVisible(bool visible) = 0;
    virtual void requestClose() = 0;
    // F9's frame rate, F12's screenshot, M's mute and G's ghost, where a window has them.
    virtual bool isWindowKeyDown(WindowKey) const { return false; }

    // The menus' side, where a window has menus (none elsewhere): this
    // frame's menu input after pollEvents, the pointer measured in a
    // `renderWidth` x `renderHeight` picture; the menu buttons held right now;
    // the pointer shown (and keys made sticky) while a menu is open.
    virtual MenuFrameInput menuInput(float /*renderWidth*/, float /*renderHeight*/) { return {}; }
    virtual MenuButtons menuHeld() const { return 0; }
    virtual void showMenu(bool /*shown*/) {}
};
