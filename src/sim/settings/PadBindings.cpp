#include "sim/settings/PadBindings.h"

#include <cctype>
#include <ostream>

#include "core/IniFile.h"
#include "sim/frame/GamepadKeys.h"
#include "sim/settings/KeyBindings.h"

namespace {

// GLFW's names, in button order; the d-pad's four are not offered.
constexpr const char* kButtonNames[] = {"A",         "B",     "X",          "Y",           "LEFT_BUMPER", "RIGHT_BUMPER",
                                        "BACK",      "START", "GUIDE",      "LEFT_THUMB",  "RIGHT_THUMB"};
constexpr int kNamedButtons = static_cast<int>(std::size(kButtonNames));
static_assert(kNamedButtons == GamepadState::DpadUp, "every button before the d-pad has a name");

}  // namespace

std::optional<int> padButtonNamed(std::string_view name)
{
    std::string wanted(name);
    for (char& c : wanted) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    for (int b = 0; b < kNamedButtons; ++b)
        if (wanted == kButtonNames[b]) return b;
    return std::nullopt;
}

std::string padButtonName(int button)
{
    if (button >= 0 && button < kNamedButtons) return kButtonNames[button];
    return KeyBindings::kNoKeyName;
}

std::string padKeyOf(const char* actionName) { return std::string(actionName) + "Pad"; }

PadBindings PadBindings::defaults()
{
    PadBindings b;
    b.buttons.fill(kNoButton);
    b.buttons[static_cast<size_t>(Key::Space)] = GamepadState::A;
    b.buttons[static_cast<size_t>(Key::Tab)] = GamepadState::X;
    b.buttons[static_cast<size_t>(Key::P)] = GamepadState::Start;
    b.buttons[static_cast<size_t>(Key::R)] = GamepadState::Back;
    return b;
}

bool PadBindings::holds(int button) const
{
    for (int b : buttons)
        if (b == button) return true;
    return false;
}

PadBindings PadBindings::read(const IniFile& settings, std::ostream& log)
{
    PadBindings b = defaults();
    std::array<bool, kGameKeys> named{};
    for (const ControlAction& action : controlActions()) {
        if (action.slot >= kGameKeys) continue;
        const std::string key = padKeyOf(action.name);
        if (!settings.has("controls", key)) continue;
        const std::string text = settings.getString("controls", key, "");
        if (text == KeyBindings::kNoKeyName) {
            b.buttons[action.slot] = kNoButton;
            named[action.slot] = true;
        } else if (const auto button = padButtonNamed(text)) {
            b.buttons[action.slot] = *button;
            named[action.slot] = true;
        } else {
            log << "Settings: controls " << key << " " << text << " is not a gamepad button, using "
                << padButtonName(b.buttons[action.slot]) << "\n";
        }
    }
    // A button named for one action beats its default use by another; between
    // two named (or two defaults) the action listed first keeps it.
    for (const ControlAction& keeper : controlActions()) {
        if (keeper.slot >= kGameKeys || b.buttons[keeper.slot] == kNoButton) continue;
        for (const ControlAction& other : controlActions()) {
            if (other.slot >= kGameKeys || other.slot == keeper.slot) continue;
            if (b.buttons[other.slot] != b.buttons[keeper.slot]) continue;
            const bool otherWins = named[other.slot] && !named[keeper.slot];
            const ControlAction& winner = otherWins ? other : keeper;
            const ControlAction& loser = otherWins ? keeper : other;
            log << "Settings: controls " << winner.name << "Pad and " << loser.name << "Pad both use "
                << padButtonName(b.buttons[winner.slot]) << "; " << winner.name << "Pad keeps it\n";
            b.buttons[loser.slot] = kNoButton;
            if (otherWins) break;
        }
    }
    return b;
}
