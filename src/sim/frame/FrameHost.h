#pragma once
#include "sim/frame/Key.h"

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
};
