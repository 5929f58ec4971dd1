#pragma once
#include <cstdint>

// The keys the game reads, named after their default keys. The window layer
// maps them to its own key codes through the settings' KeyBindings.
// P pauses; R (retry) and N (next level) end the session and are acted on by
// whoever runs the sessions, not by the frame logic.
enum class Key { W, A, S, D, Space, Tab, F1, F2, F3, F4, F8, Escape, P, R, N, Count };

// A set of keys, as a frame reads them: bit k set means Key k is down. Replays
// record one per frame, so every game key needs a bit.
using KeyMask = uint16_t;
static_assert(static_cast<unsigned>(Key::Count) <= 16, "every game key has a bit in a frame's key mask");

constexpr KeyMask keyBit(Key key) { return static_cast<KeyMask>(1u << static_cast<unsigned>(key)); }
