#include "sim/menu/MenuInput.h"

#include <algorithm>

#include "sim/frame/GamepadKeys.h"

namespace {

constexpr MenuCommand kDirections[] = {MenuCommand::Up, MenuCommand::Down, MenuCommand::Left, MenuCommand::Right};
// A stick is a direction for the menu only well past its dead zone, so a
// resting stick that drifts does not walk the list.
constexpr float kMenuStickLean = 0.5f;

}  // namespace

MenuButtons menuKeysHeld(const std::function<bool(KeyboardKey)>& keyDown)
{
    using K = KeyboardKey;
    struct Held {
        KeyboardKey key;
        MenuCommand command;
    };
    constexpr Held kKeys[] = {
        {K::Up, MenuCommand::Up},         {K::W, MenuCommand::Up},          {K::Down, MenuCommand::Down},
        {K::S, MenuCommand::Down},        {K::Left, MenuCommand::Left},     {K::A, MenuCommand::Left},
        {K::Right, MenuCommand::Right},   {K::D, MenuCommand::Right},       {K::Enter, MenuCommand::Select},
        {K::KeypadEnter, MenuCommand::Select}, {K::Space, MenuCommand::Select}, {K::Escape, MenuCommand::Back},
        {K::Backspace, MenuCommand::Back},
    };
    MenuButtons held = 0;
    for (const Held& k : kKeys)
        if (keyDown(k.key)) held |= menuBit(k.command);
    return held;
}

MenuButtons menuPadHeld(const GamepadState& pad)
{
    using S = GamepadState;
    MenuButtons held = 0;
    auto hold = [&held](bool down, MenuCommand c) {
        if (down) held |= menuBit(c);
    };
    hold(pad.buttons[S::DpadUp] || pad.axes[S::LeftY] < -kMenuStickLean, MenuCommand::Up);
    hold(pad.buttons[S::DpadDown] || pad.axes[S::LeftY] > kMenuStickLean, MenuCommand::Down);
    hold(pad.buttons[S::DpadLeft] || pad.axes[S::LeftX] < -kMenuStickLean, MenuCommand::Left);
    hold(pad.buttons[S::DpadRight] || pad.axes[S::LeftX] > kMenuStickLean, MenuCommand::Right);
    hold(pad.buttons[S::A], MenuCommand::Select);
    hold(pad.buttons[S::B], MenuCommand::Back);
    return held;
}

std::vector<MenuCommand> MenuInput::frame(MenuButtons held, float deltaTime)
{
    std::vector<MenuCommand> commands;
    const MenuButtons pressed = held & ~previous;
    previous = held;
    for (const MenuCommand c : {MenuCommand::Select, MenuCommand::Back})
        if (pressed & menuBit(c)) commands.push_back(c);

    for (const MenuCommand d : kDirections) {
        if (!(pressed & menuBit(d))) continue;
        commands.push_back(d);
        repeating = static_cast<int>(d);
        heldFor = 0.0f;
        repeated = false;
        return commands;  // a new press acts now; its repeat is timed from the next frame
    }
    if (repeating < 0 || !(held & menuBit(static_cast<MenuCommand>(repeating)))) {
        repeating = -1;
        return commands;
    }
    // A slow frame counts as at most one repeat interval, so a key let go
    // within the delay never repeats however long a frame took (a loaded machine).
    heldFor += std::min(deltaTime, kRepeatInterval);
    const float due = repeated ? kRepeatInterval : kRepeatDelay;
    if (heldFor >= due) {
        commands.push_back(static_cast<MenuCommand>(repeating));
        heldFor -= due;
        repeated = true;
    }
    return commands;
}
