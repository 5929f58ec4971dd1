#include "sim/settings/KeyBindings.h"

#include "core/IniFile.h"
#include "sim/settings/KeyNames.h"

#include <ostream>
#include <vector>

namespace {

constexpr size_t slotOf(Key key) { return static_cast<size_t>(key); }

// The actions by their [controls] names, in the order that decides who keeps
// a shared key (movement first, the debug keys last).
constexpr std::array<ControlAction, KeyBindings::kSlots> kActions = {{
    {"forward", slotOf(Key::W), KeyboardKey::W},
    {"back", slotOf(Key::S), KeyboardKey::S},
    {"left", slotOf(Key::A), KeyboardKey::A},
    {"right", slotOf(Key::D), KeyboardKey::D},
    {"jump", slotOf(Key::Space), KeyboardKey::Space},
    {"flip", slotOf(Key::Tab), KeyboardKey::Tab},
    {"pause", slotOf(Key::P), KeyboardKey::P},
    {"retry", slotOf(Key::R), KeyboardKey::R},
    {"next", slotOf(Key::N), KeyboardKey::N},
    {"quit", slotOf(Key::Escape), KeyboardKey::Escape},
    {"hud", slotOf(Key::F2), KeyboardKey::F2},
    {"culling", slotOf(Key::F8), KeyboardKey::F8},
    {"frameRate", KeyBindings::kFrameRate, KeyboardKey::F9},
    {"screenshot", KeyBindings::kScreenshot, KeyboardKey::F12},
    {"mute", KeyBindings::kMute, KeyboardKey::M},
    {"ghost", KeyBindings::kGhost, KeyboardKey::G},
    {"wireframe", slotOf(Key::F1), KeyboardKey::F1},
    {"camera", slotOf(Key::F3), KeyboardKey::F3},
    {"cursor", slotOf(Key::F4), KeyboardKey::F4},
}};

}  // namespace

const std::array<ControlAction, KeyBindings::kSlots>& controlActions() { return kActions; }

KeyBindings KeyBindings::defaults()
{
    KeyBindings b;
    for (const ControlAction& action : kActions) b.keys[action.slot] = action.defaultKey;
    return b;
}

KeyBindings KeyBindings::read(const IniFile& settings, std::ostream& log)
{
    KeyBindings b = defaults();
    std::array<bool, kSlots> named{};  // by position in the action list
    for (size_t i = 0; i < kActions.size(); ++i) {
        const ControlAction& action = kActions[i];
        if (!settings.has("controls", action.name)) continue;
        const std::string text = settings.getString("controls", action.name, "");
        if (text == kNoKeyName) {
            b.keys[action.slot] = KeyboardKey::None;
            named[i] = true;
        } else if (const auto key = keyNamed(text)) {
            b.keys[action.slot] = *key;
            named[i] = true;
        } else {
            log << "Settings: controls " << action.name << " " << text << " is not a key name, using "
                << keyNameOf(action.defaultKey) << "\n";
        }
    }

    auto used = [&b](KeyboardKey key) {
        for (KeyboardKey k : b.keys)
            if (k == key) return true;
        return false;
    };
    for (size_t i = 0; i < kActions.size(); ++i) {
        const KeyboardKey key = b.keys[kActions[i].slot];
        if (key == KeyboardKey::None) continue;
        std::vector<size_t> sharing;  // positions in the action list, in list order
        for (size_t j = 0; j < kActions.size(); ++j)
            if (b.keys[kActions[j].slot] == key) sharing.push_back(j);
        if (sharing.size() < 2) continue;
        size_t keeper = sharing.front();
        for (size_t j : sharing)
            if (named[j]) {
                keeper = j;
                break;
            }
        for (size_t j : sharing) {
            if (j == keeper) continue;
            const ControlAction& loser = kActions[j];
            b.keys[loser.slot] = KeyboardKey::None;
            log << "Settings: controls " << kActions[keeper].name << " and " << loser.name << " both use "
                << keyNameOf(key) << "; " << kActions[keeper].name << " keeps it, " << loser.name;
            if (used(loser.defaultKey)) {
                log << " has no key\n";
            } else {
                b.keys[loser.slot] = loser.defaultKey;
                log << " uses " << keyNameOf(loser.defaultKey) << "\n";
            }
        }
    }
    return b;
}

bool boundKeyDown(const KeyBindings& bindings, Key key, const std::function<bool(KeyboardKey)>& keyboardDown)
{
    const KeyboardKey bound = bindings.key(key);
    return bound != KeyboardKey::None && keyboardDown(bound);
}
