#pragma once
#include "sim/frame/ForwardingHost.h"

// The window as the game reads it when a run has menus: while a menu is open
// the game reads no key at all, and during play the pause and quit keys (and
// the pad's pause button, which holds the pause key) never reach it; they
// open the pause menu instead. A recorded run therefore has no trace of the
// menus. Without menus every call goes straight to the window.
class MenuGate : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;

    bool menus = false;  // the run has menus
    bool shut = false;   // a menu is open: no key reaches the game

    void pollEvents() override
    {
        window.pollEvents();
        heldBack &= windowKeysDown();
    }
    bool isKeyDown(Key key) const override
    {
        if (shut || (heldBack & keyBit(key)) || (menus && (key == Key::P || key == Key::Escape))) return false;
        return window.isKeyDown(key);
    }
    // A menu closed: the keys down now (the Space that chose, a direction)
    // reach the game only once they have been let go.
    void holdBack() { heldBack = windowKeysDown(); }

    // Pause or quit went down since the last call (read after the frame's poll).
    bool pausePressed()
    {
        const bool down = window.isKeyDown(Key::P) || window.isKeyDown(Key::Escape);
        const bool pressed = down && pauseWasUp;
        pauseWasUp = !down;
        return pressed;
    }

private:
    KeyMask heldBack = 0;
    bool pauseWasUp = false;  // a key held as play begins does not pause it
};
