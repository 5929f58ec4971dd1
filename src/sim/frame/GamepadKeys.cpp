#include "sim/frame/GamepadKeys.h"

#include "sim/settings/PadBindings.h"

KeyMask gamepadKeys(const GamepadState& pad, const PadBindings& bindings)
{
    using S = GamepadState;
    KeyMask keys = 0;
    auto hold = [&keys](bool down, Key key) {
        if (down) keys |= keyBit(key);
    };
    const float x = pad.axes[S::LeftX];
    const float y = pad.axes[S::LeftY];
    hold(y < -kStickDeadZone || pad.buttons[S::DpadUp], Key::W);
    hold(y > kStickDeadZone || pad.buttons[S::DpadDown], Key::S);
    hold(x < -kStickDeadZone || pad.buttons[S::DpadLeft], Key::A);
    hold(x > kStickDeadZone || pad.buttons[S::DpadRight], Key::D);
    for (size_t k = 0; k < bindings.buttons.size(); ++k) {
        const int button = bindings.buttons[k];
        if (button != PadBindings::kNoButton) hold(pad.buttons[static_cast<size_t>(button)], static_cast<Key>(k));
    }
    for (const S::Button shoulder : {S::LeftBumper, S::RightBumper})
        hold(pad.buttons[shoulder] && !bindings.holds(shoulder), Key::Tab);
    return keys;
}

KeyMask gamepadKeys(const GamepadState& pad) { return gamepadKeys(pad, PadBindings::defaults()); }
