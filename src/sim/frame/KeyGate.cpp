#include "sim/frame/KeyGate.h"

void KeyGate::pollEvents()
{
    // Callbacks run inside the window's poll: a focus loss asks for its P there.
    window.pollEvents();
    const KeyMask down = windowKeysDown();
    if (holdPending) heldBack = down;
    holdPending = false;
    heldBack &= down;  // a released key is free again
    seen = down & static_cast<KeyMask>(~heldBack);
    if (pausePending) {
        seen |= keyBit(Key::P) & static_cast<KeyMask>(~heldBack);
        pausePending = false;
    }
}
