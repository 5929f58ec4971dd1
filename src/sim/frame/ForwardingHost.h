#pragma once
#include "sim/frame/FrameHost.h"

// A stand-in that passes every call on to the window it wraps. The key
// sources between the window and the game derive from it and change only what
// they gate, so nothing else the window offers (its own keys, the menus'
// input) is lost on the way.
class ForwardingHost : public FrameHost {
public:
    explicit ForwardingHost(FrameHost& window) : window(window) {}

    void pollEvents() override { window.pollEvents(); }
    bool isKeyDown(Key key) const override { return window.isKeyDown(key); }
    void setWireframe(bool on) override { window.setWireframe(on); }
    void setCursorVisible(bool visible) override { window.setCursorVisible(visible); }
    void requestClose() override { window.requestClose(); }
    bool isWindowKeyDown(WindowKey key) const override { return window.isWindowKeyDown(key); }
    MenuFrameInput menuInput(float width, float height) override { return window.menuInput(width, height); }
    MenuButtons menuHeld() const override { return window.menuHeld(); }
    void showMenu(bool shown) override { window.showMenu(shown); }

protected:
    // Every game key the window has down right now.
    KeyMask windowKeysDown() const
    {
        KeyMask down = 0;
        for (unsigned k = 0; k < static_cast<unsigned>(Key::Count); ++k)
            if (window.isKeyDown(static_cast<Key>(k))) down |= keyBit(static_cast<Key>(k));
        return down;
    }

    FrameHost& window;
};
