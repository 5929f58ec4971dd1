#include "sim/frame/KeyGate.h"

KeyMask KeyGate::windowKeys() const
{
    KeyMask down = 0;
    for (unsigned k = 0; k < static_cast<unsigned>(Key::Count); ++k)
        if (window.isKeyDown(static_cast<Key>(k))) down |= keyBit(static_cast<Key>(k));
    return down;
}

void KeyGate::pollEvents()
{
    // Callbacks run inside the window's poll: a focus loss asks for its P there.
    window.pollEvents();
    const KeyMask down = windowKeys();
    if (holdPending) heldBack = down;
    holdPending = false;
    heldBack &= down;  // a released key is free again
    seen = down & static_cast<KeyMask>(~heldBack);
    if (pausePending) {
        seen |= keyBit(Key::P) & static_cast<KeyMask>(~heldBack);
        pausePending = false;
    }
}
