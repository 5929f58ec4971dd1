// Key remapping ([controls] names keyboard keys) and the gamepad's keys.
#include <gtest/gtest.h>

#include <set>

#include "core/IniFile.h"
#include "sim/frame/GamepadKeys.h"
#include "sim/settings/KeyBindings.h"
#include "sim/settings/KeyNames.h"
#include "support/TestWorld.h"

TEST(Controls, KeyNamesGiveTheirKeyInAnyCaseAndOtherNamesNone)
{
    using K = KeyboardKey;
    const std::pair<const char*, K> named[] = {
        {"Z", K::Z}, {"q", K::Q}, {"0", K::Digit0}, {"9", K::Digit9}, {"space", K::Space}, {"F1", K::F1},
        {"f25", K::F25}, {"KP_0", K::Keypad0}, {"kp_9", K::Keypad9}, {"KP_ENTER", K::KeypadEnter},
        {"LEFT_SHIFT", K::LeftShift}, {"up", K::Up}, {"GRAVE_ACCENT", K::GraveAccent}, {"WORLD_2", K::World2},
        {"MENU", K::Menu}};
    for (const auto& [name, key] : named) EXPECT_EQ(keyNamed(name), key) << name;
    // Every key's own name leads back to it, and no two keys share a name.
    std::set<std::string> names;
    for (size_t k = 1; k < static_cast<size_t>(K::Count); ++k) {
        const std::string name = keyNameOf(static_cast<K>(k));
        EXPECT_EQ(keyNamed(name), static_cast<K>(k)) << name;
        EXPECT_TRUE(names.insert(name).second) << name;
    }
    EXPECT_EQ(keyNameOf(K::None), "?");
    for (const char* unknown : {"", "?", "F26", "F0", "KP_10", "AZ", "GLFW_KEY_Z", " Z"})
        EXPECT_EQ(keyNamed(unknown), std::nullopt) << unknown;
}

TEST(Controls, ControlsSectionRemapsAndUnknownNamesOrSharedKeysGetOneLineEach)
{
    struct Case {
        const char* controls;
        std::vector<std::pair<size_t, KeyboardKey>> keys;  // slot, expected key
        std::vector<const char*> lines;             // one expected line each, by a part of it
    };
    const size_t fwd = size_t(Key::W), left = size_t(Key::A), back = size_t(Key::S), pause = size_t(Key::P);
    using K = KeyboardKey;
    const Case cases[] = {
        {"", {{fwd, K::W}, {left, K::A}, {pause, K::P}, {KeyBindings::kScreenshot, K::F12}, {KeyBindings::kMute, K::M},
          {KeyBindings::kGhost, K::G}},
         {}},
        {"mute = F7", {{KeyBindings::kMute, K::F7}}, {}},
        // The mute key is a window action like F12: it yields to a game key named for M.
        {"jump = M", {{size_t(Key::Space), K::M}, {KeyBindings::kMute, K::None}},
         {"controls jump and mute both use M; jump keeps it, mute has no key"}},
        {"forward = Z\nleft = q\njump = ENTER", {{fwd, K::Z}, {left, K::Q}, {size_t(Key::Space), K::Enter}}, {}},
        {"forward = S\nback = W", {{fwd, K::S}, {back, K::W}}, {}},
        {"forward = Wz\nleft =", {{fwd, K::W}, {left, K::A}},
         {"controls forward Wz is not a key name, using W", "controls left  is not a key name, using A"}},
        // A named key wins over a default; the loser's own default is taken too.
        {"forward = A", {{fwd, K::A}, {left, K::None}},
         {"controls forward and left both use A; forward keeps it, left has no key"}},
        // Two named: the first in the list keeps it, the other goes back to its free default.
        {"left = Q\nforward = Q", {{fwd, K::Q}, {left, K::A}},
         {"controls forward and left both use Q; forward keeps it, left uses A"}},
        {"screenshot = P", {{KeyBindings::kScreenshot, K::P}, {pause, K::None}},
         {"controls screenshot and pause both use P"}},
        {"forward = G", {{fwd, K::G}, {KeyBindings::kGhost, K::None}},
         {"controls forward and ghost both use G; forward keeps it, ghost has no key"}},
    };
    for (const Case& c : cases) {
        std::ostringstream log;
        const KeyBindings b = KeyBindings::read(IniFile::fromText(std::string("[controls]\n") + c.controls), log);
        for (const auto& [slot, key] : c.keys) EXPECT_EQ(b.keys[slot], key) << c.controls << " slot " << slot;
        const std::string lines = takeLog(log);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), std::ssize(c.lines)) << lines;
        for (const char* line : c.lines) EXPECT_NE(lines.find(line), std::string::npos) << lines;
    }
}

TEST(Controls, GamepadHoldsKeysPastTheDeadZoneAndForItsButtons)
{
    using S = GamepadState;
    auto pad = [](float x, float y, std::initializer_list<S::Button> buttons = {}) {
        S p;
        p.axes[S::LeftX] = x;
        p.axes[S::LeftY] = y;
        for (S::Button b : buttons) p.buttons[b] = true;
        return p;
    };
    S otherAxes;  // the right stick and the triggers do nothing
    otherAxes.axes = {0.0f, 0.0f, 1.0f, -1.0f, 1.0f, 1.0f};
    const KeyMask w = keyBit(Key::W), a = keyBit(Key::A), s = keyBit(Key::S), d = keyBit(Key::D);
    const std::pair<S, KeyMask> cases[] = {
        {S{}, 0}, {otherAxes, 0},
        {pad(0.2f, -0.2f), 0}, {pad(-0.19f, 0.15f), 0},  // on and inside the dead zone's edge
        {pad(0.0f, -1.0f), w}, {pad(0.0f, 1.0f), s}, {pad(-1.0f, 0.0f), a},  // a stick pushed fully is exactly the key
        {pad(0.21f, 0.0f), d}, {pad(0.7f, -0.7f), w | d},
        {pad(0, 0, {S::DpadUp, S::DpadRight}), w | d}, {pad(0, 0, {S::DpadDown, S::DpadLeft}), s | a},
        {pad(0, 0, {S::A}), keyBit(Key::Space)}, {pad(0, 0, {S::X}), keyBit(Key::Tab)},
        {pad(0, 0, {S::LeftBumper}), keyBit(Key::Tab)}, {pad(0, 0, {S::RightBumper}), keyBit(Key::Tab)},
        {pad(0, 0, {S::Start}), keyBit(Key::P)}, {pad(0, 0, {S::Back}), keyBit(Key::R)},
        {pad(0, 0, {S::B, S::Y, S::Guide, S::LeftThumb, S::RightThumb}), 0},
    };
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(gamepadKeys(cases[i].first), cases[i].second) << i;
}
