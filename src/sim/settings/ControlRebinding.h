#pragma once
#include <cstddef>
#include <optional>

#include "sim/settings/KeyboardKey.h"

struct KeyBindings;
struct PadBindings;

// Rebinding one action from the controls menu. The new key (or button) wins;
// the action that held it takes the rebound action's old one, so no action is
// left without what it had and no two actions share one. Both return the slot
// of the action that was swapped, none when the key was free or already the
// action's own.
std::optional<size_t> rebindKey(KeyBindings& bindings, size_t slot, KeyboardKey key);
std::optional<size_t> rebindPadButton(PadBindings& bindings, size_t slot, int button);
