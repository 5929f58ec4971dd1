#pragma once
#include "sim/frame/FrameHost.h"

// The window as the game reads it when a run has menus: while a menu is open
// the game reads no key at all, and during play the pause and quit keys (and
// the pad's pause button, which holds the pause key) never reach it; they
// open the pause menu instead. A recorded run therefore has no trace of the
// menus. Without menus every call goes straight to the window.
class MenuGate : public FrameHost {
public:
    explicit MenuGate(FrameHost& window) : window(window) {}

    bool menus = false;  // the run has menus
    bool shut = false;   // a menu is open: no key reaches the game

    void pollEvents() override
    {
        window.pollEvents();
        for (unsigned k = 0; k < static_cast<unsigned>(Key::Count); ++k)
            if (!window.isKeyDown(static_cast<Key>(k))) heldBack &= static_cast<KeyMask>(~keyBit(static_cast<Key>(k)));
    }
    bool isKeyDown(Key key) const override
    {
        if (shut || (heldBack & keyBit(key)) || (menus && (key == Key::P || key == Key::Escape))) return false;
        return window.isKeyDown(key);
    }
    // A menu closed: the keys down now (the Space that chose, a direction)
    // reach the game only once they have been let go.
    void holdBack()
    {
        heldBack = 0;
        for (unsigned k = 0; k < static_cast<unsigned>(Key::Count); ++k)
            if (window.isKeyDown(static_cast<Key>(k))) heldBack |= keyBit(static_cast<Key>(k));
    }
    void setWireframe(bool on) override { window.setWireframe(on); }
    void setCursorVisible(bool visible) override { window.setCursorVisible(visible); }
    void requestClose() override { window.requestClose(); }
    bool isWindowKeyDown(WindowKey key) const override { return window.isWindowKeyDown(key); }
    MenuFrameInput menuInput(float width, float height) override { return window.menuInput(width, height); }
    MenuButtons menuHeld() const override { return window.menuHeld(); }
    void showMenu(bool shown) override { window.showMenu(shown); }

    // Pause or quit went down since the last call (read after the frame's poll).
    bool pausePressed()
    {
        const bool down = window.isKeyDown(Key::P) || window.isKeyDown(Key::Escape);
        const bool pressed = down && pauseWasUp;
        pauseWasUp = !down;
        return pressed;
    }

private:
    FrameHost& window;
    KeyMask heldBack = 0;
    bool pauseWasUp = false;  // a key held as play begins does not pause it
};
