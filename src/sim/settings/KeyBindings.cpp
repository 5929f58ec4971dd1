#include "sim/settings/KeyBindings.h"

#include "core/IniFile.h"
#include "sim/settings/KeyNames.h"

#include <ostream>
#include <vector>

namespace {

constexpr size_t slotOf(Key key) { return static_cast<size_t>(key); }

struct ControlAction {
    const char* name;  // key in [controls]
    size_t slot;       // index into KeyBindings::codes
    int defaultCode;   // GLFW 3.3 code of the default key (see KeyNames)
};

// The actions by their [controls] names, in the order that decides who keeps
// a shared key (movement first, the debug keys last).
constexpr std::array<ControlAction, KeyBindings::kSlots> kActions = {{
    {"forward", slotOf(Key::W), 87},
    {"back", slotOf(Key::S), 83},
    {"left", slotOf(Key::A), 65},
    {"right", slotOf(Key::D), 68},
    {"jump", slotOf(Key::Space), 32},
    {"flip", slotOf(Key::Tab), 258},
    {"pause", slotOf(Key::P), 80},
    {"retry", slotOf(Key::R), 82},
    {"next", slotOf(Key::N), 78},
    {"quit", slotOf(Key::Escape), 256},
    {"hud", slotOf(Key::F2), 291},
    {"culling", slotOf(Key::F8), 297},
    {"frameRate", KeyBindings::kFrameRate, 298},
    {"screenshot", KeyBindings::kScreenshot, 301},
    {"wireframe", slotOf(Key::F1), 290},
    {"camera", slotOf(Key::F3), 292},
    {"cursor", slotOf(Key::F4), 293},
}};

}  // namespace

KeyBindings KeyBindings::defaults()
{
    KeyBindings b;
    for (const ControlAction& action : kActions) b.codes[action.slot] = action.defaultCode;
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
        if (const auto code = keyCodeNamed(text)) {
            b.codes[action.slot] = *code;
            named[i] = true;
        } else {
            log << "Settings: controls " << action.name << " " << text << " is not a key name, using "
                << keyNameOf(action.defaultCode) << "\n";
        }
    }

    auto used = [&b](int code) {
        for (int c : b.codes)
            if (c == code) return true;
        return false;
    };
    for (size_t i = 0; i < kActions.size(); ++i) {
        const int code = b.codes[kActions[i].slot];
        if (code == kNoKey) continue;
        std::vector<size_t> sharing;  // positions in the action list, in list order
        for (size_t j = 0; j < kActions.size(); ++j)
            if (b.codes[kActions[j].slot] == code) sharing.push_back(j);
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
            b.codes[loser.slot] = kNoKey;
            log << "Settings: controls " << kActions[keeper].name << " and " << loser.name << " both use "
                << keyNameOf(code) << "; " << kActions[keeper].name << " keeps it, " << loser.name;
            if (used(loser.defaultCode)) {
                log << " has no key\n";
            } else {
                b.codes[loser.slot] = loser.defaultCode;
                log << " uses " << keyNameOf(loser.defaultCode) << "\n";
            }
        }
    }
    return b;
}

bool boundKeyDown(const KeyBindings& bindings, Key key, const std::function<bool(int code)>& codeDown)
{
    const int code = bindings.code(key);
    return code != KeyBindings::kNoKey && codeDown(code);
}
