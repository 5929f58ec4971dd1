#include "sim/settings/KeyNames.h"

#include <array>
#include <cctype>

namespace {

// One name per key, in the order of KeyboardKey after None.
constexpr std::array<const char*, static_cast<size_t>(KeyboardKey::Count) - 1> kNames = {
    "A",
    "B",
    "C",
    "D",
    "E",
    "F",
    "G",
    "H",
    "I",
    "J",
    "K",
    "L",
    "M",
    "N",
    "O",
    "P",
    "Q",
    "R",
    "S",
    "T",
    "U",
    "V",
    "W",
    "X",
    "Y",
    "Z",
    "0",
    "1",
    "2",
    "3",
    "4",
    "5",
    "6",
    "7",
    "8",
    "9",
    "F1",
    "F2",
    "F3",
    "F4",
    "F5",
    "F6",
    "F7",
    "F8",
    "F9",
    "F10",
    "F11",
    "F12",
    "F13",
    "F14",
    "F15",
    "F16",
    "F17",
    "F18",
    "F19",
    "F20",
    "F21",
    "F22",
    "F23",
    "F24",
    "F25",
    "KP_0",
    "KP_1",
    "KP_2",
    "KP_3",
    "KP_4",
    "KP_5",
    "KP_6",
    "KP_7",
    "KP_8",
    "KP_9",
    "SPACE",
    "APOSTROPHE",
    "COMMA",
    "MINUS",
    "PERIOD",
    "SLASH",
    "SEMICOLON",
    "EQUAL",
    "LEFT_BRACKET",
    "BACKSLASH",
    "RIGHT_BRACKET",
    "GRAVE_ACCENT",
    "WORLD_1",
    "WORLD_2",
    "ESCAPE",
    "ENTER",
    "TAB",
    "BACKSPACE",
    "INSERT",
    "DELETE",
    "RIGHT",
    "LEFT",
    "DOWN",
    "UP",
    "PAGE_UP",
    "PAGE_DOWN",
    "HOME",
    "END",
    "CAPS_LOCK",
    "SCROLL_LOCK",
    "NUM_LOCK",
    "PRINT_SCREEN",
    "PAUSE",
    "KP_DECIMAL",
    "KP_DIVIDE",
    "KP_MULTIPLY",
    "KP_SUBTRACT",
    "KP_ADD",
    "KP_ENTER",
    "KP_EQUAL",
    "LEFT_SHIFT",
    "LEFT_CONTROL",
    "LEFT_ALT",
    "LEFT_SUPER",
    "RIGHT_SHIFT",
    "RIGHT_CONTROL",
    "RIGHT_ALT",
    "RIGHT_SUPER",
    "MENU"
};

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

}  // namespace

std::optional<KeyboardKey> keyNamed(std::string_view name)
{
    const std::string wanted = upper(name);
    for (size_t i = 0; i < kNames.size(); ++i)
        if (wanted == kNames[i]) return static_cast<KeyboardKey>(i + 1);
    return std::nullopt;
}

std::string keyNameOf(KeyboardKey key)
{
    const size_t index = static_cast<size_t>(key);
    if (index == 0 || index > kNames.size()) return "?";
    return kNames[index - 1];
}
