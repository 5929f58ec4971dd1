#include "sim/settings/ControlRebinding.h"

#include "sim/settings/KeyBindings.h"
#include "sim/settings/PadBindings.h"

namespace {

template <typename Codes, typename Code>
std::optional<size_t> swapInto(Codes& codes, size_t slot, Code code)
{
    const Code old = codes[slot];
    if (old == code) return std::nullopt;
    std::optional<size_t> swapped;
    for (size_t other = 0; other < codes.size(); ++other) {
        if (other == slot || codes[other] != code) continue;
        codes[other] = old;
        swapped = other;
    }
    codes[slot] = code;
    return swapped;
}

}  // namespace

std::optional<size_t> rebindKey(KeyBindings& bindings, size_t slot, KeyboardKey key)
{
    return swapInto(bindings.keys, slot, key);
}

std::optional<size_t> rebindPadButton(PadBindings& bindings, size_t slot, int button)
{
    return swapInto(bindings.buttons, slot, button);
}
