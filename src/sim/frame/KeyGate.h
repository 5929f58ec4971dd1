#pragma once
#include "sim/frame/ForwardingHost.h"

// The window's keys as the game is allowed to see them, between the window
// system and everything that reads or records keys (the game's own play only):
// - after a restart (R, N, a menu's restart) every key that is down when the
//   new session first polls stays unseen until it is released, so a Space, P
//   or Tab held through the restart does not fire on the new session's first
//   frame;
// - a pause asked for by the window (focus lost, minimised) is one frame of P,
//   so a recording holds it as a press and its replay pauses on the same frame.
class KeyGate : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;

    void pollEvents() override;
    bool isKeyDown(Key key) const override { return seen & keyBit(key); }

    // A new session starts: the keys down at the next poll act only once
    // released and pressed again.
    void holdBackHeldKeys() { holdPending = true; }
    // The next poll answers P as down for one frame (unless P is held back).
    void pressPauseOnce() { pausePending = true; }

private:
    KeyMask seen = 0;
    KeyMask heldBack = 0;
    bool holdPending = false;
    bool pausePending = false;
};
