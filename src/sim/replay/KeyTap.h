#pragma once
#include "sim/frame/ForwardingHost.h"
#include "sim/replay/ReplayFile.h"

// The window as a recorded run reads it: every key's state is taken once, right
// after the frame's events are polled, and the key handling is answered from
// that snapshot, so the recording holds exactly what the game saw. (The window
// system's key state only changes while events are polled, so the answers are
// the ones the window would have given.)
class KeyTap : public ForwardingHost {
public:
    using ForwardingHost::ForwardingHost;

    void pollEvents() override
    {
        window.pollEvents();
        seen = windowKeysDown();
        polled = true;
    }
    bool isKeyDown(Key key) const override { return seen & keyBit(key); }

    // The keys read in the frame that just ran (none in a frame that polled
    // nothing, such as the warm-up's); the next frame starts afresh.
    KeyMask takeFrameKeys()
    {
        const KeyMask keys = polled ? seen : 0;
        polled = false;
        return keys;
    }

private:
    KeyMask seen = 0;
    bool polled = false;
};
