#pragma once
#include <array>
#include <cstddef>
#include <functional>
#include <iosfwd>

#include "sim/frame/Key.h"
#include "sim/settings/KeyboardKey.h"

class IniFile;

// Which keyboard key does each action. The settings' optional [controls]
// section names keys by their names (`forward = Z`, see KeyNames); what it
// leaves out keeps its default, so without the section every key is the one the
// game always had. The game still reads actions as its own Key values, so
// replays record actions and play the same whatever the mapping.
//
// Besides the game keys, four window actions are bound here: the frame-rate
// readout (F9), the screenshot (F12), muting the sound (M) and the ghost (G),
// which the window layer reads itself; none changes the game, so none is recorded.
struct KeyBindings {
    static constexpr size_t kGameKeys = static_cast<size_t>(Key::Count);
    static constexpr size_t kFrameRate = kGameKeys;       // slot of the frame-rate readout
    static constexpr size_t kScreenshot = kGameKeys + 1;  // slot of the screenshot
    static constexpr size_t kMute = kGameKeys + 2;        // slot of muting the sound
    static constexpr size_t kGhost = kGameKeys + 3;       // slot of showing or hiding the ghost
    static constexpr size_t kSlots = kGameKeys + 4;
    // How [controls] writes an action left without a key.
    static constexpr const char* kNoKeyName = "NONE";

    // One entry per slot: the Key values, then the four window actions.
    std::array<KeyboardKey, kSlots> keys{};

    static KeyBindings defaults();

    // Reads [controls]. A name that is no key gets one line on `log` and the
    // action keeps its default. When two actions end up on one key, one line
    // says so: an action the file named keeps the key over one left at its
    // default, and between two named (or two defaults) the action listed first
    // in the action list keeps it. The other goes back to its default key if
    // nothing else uses it, and otherwise has no key.
    static KeyBindings read(const IniFile& settings, std::ostream& log);

    KeyboardKey key(Key action) const { return keys[static_cast<size_t>(action)]; }
};

// One action of [controls]: its key there, its slot in KeyBindings::keys and
// its default key.
struct ControlAction {
    const char* name;
    size_t slot;
    KeyboardKey defaultKey;
};

// Every action, in the order that decides who keeps a shared key (movement
// first, the debug keys last); the controls menu lists them in this order.
const std::array<ControlAction, KeyBindings::kSlots>& controlActions();

// Whether the keyboard key bound to `key` is down, asked of the keyboard.
// The window layer answers with the window system; tests with a set of keys.
bool boundKeyDown(const KeyBindings& bindings, Key key, const std::function<bool(KeyboardKey)>& keyboardDown);
