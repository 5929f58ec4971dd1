#pragma once
#include "sim/frame/Key.h"

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
    // Outside debug mode, the frame in which the game was won or lost. The
    // window closes after it, unless the game offers a retry instead.
    virtual void gameDecided() { requestClose(); }
};
