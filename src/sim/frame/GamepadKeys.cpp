#include "sim/frame/GamepadKeys.h"

KeyMask gamepadKeys(const GamepadState& pad)
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
    hold(pad.buttons[S::A], Key::Space);
    hold(pad.buttons[S::X] || pad.buttons[S::LeftBumper] || pad.buttons[S::RightBumper], Key::Tab);
    hold(pad.buttons[S::Start], Key::P);
    hold(pad.buttons[S::Back], Key::R);
    return keys;
}
