#include "sim/settings/KeyNames.h"

#include <array>
#include <cctype>

namespace {

struct NamedKey {
    const char* name;
    int code;
};

// Every printable and function key GLFW 3.3 names. Letters, digits, F1..F25
// and the keypad digits run in sequence and are made below instead of listed.
constexpr NamedKey kNamedKeys[] = {
    {"SPACE", 32},          {"APOSTROPHE", 39},   {"COMMA", 44},         {"MINUS", 45},
    {"PERIOD", 46},         {"SLASH", 47},        {"SEMICOLON", 59},     {"EQUAL", 61},
    {"LEFT_BRACKET", 91},   {"BACKSLASH", 92},    {"RIGHT_BRACKET", 93}, {"GRAVE_ACCENT", 96},
    {"WORLD_1", 161},       {"WORLD_2", 162},     {"ESCAPE", 256},       {"ENTER", 257},
    {"TAB", 258},           {"BACKSPACE", 259},   {"INSERT", 260},       {"DELETE", 261},
    {"RIGHT", 262},         {"LEFT", 263},        {"DOWN", 264},         {"UP", 265},
    {"PAGE_UP", 266},       {"PAGE_DOWN", 267},   {"HOME", 268},         {"END", 269},
    {"CAPS_LOCK", 280},     {"SCROLL_LOCK", 281}, {"NUM_LOCK", 282},     {"PRINT_SCREEN", 283},
    {"PAUSE", 284},         {"KP_DECIMAL", 330},  {"KP_DIVIDE", 331},    {"KP_MULTIPLY", 332},
    {"KP_SUBTRACT", 333},   {"KP_ADD", 334},      {"KP_ENTER", 335},     {"KP_EQUAL", 336},
    {"LEFT_SHIFT", 340},    {"LEFT_CONTROL", 341}, {"LEFT_ALT", 342},    {"LEFT_SUPER", 343},
    {"RIGHT_SHIFT", 344},   {"RIGHT_CONTROL", 345}, {"RIGHT_ALT", 346},  {"RIGHT_SUPER", 347},
    {"MENU", 348},
};

// Keys named by a prefix and a running number: "A".."Z", "0".."9", "F1".."F25", "KP_0".."KP_9".
struct KeyRun {
    const char* prefix;
    bool letters;  // the number is a letter A.. instead of a decimal number
    int first;     // the first number of the run (0 for letters and digits)
    int count;
    int code;      // the code of the run's first key
};
constexpr KeyRun kKeyRuns[] = {
    {"", true, 0, 26, 65},
    {"", false, 0, 10, 48},
    {"F", false, 1, 25, 290},
    {"KP_", false, 0, 10, 320},
};

std::string upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string runName(const KeyRun& run, int index)
{
    if (run.letters) return std::string(1, static_cast<char>('A' + index));
    return run.prefix + std::to_string(run.first + index);
}

}  // namespace

std::optional<int> keyCodeNamed(std::string_view name)
{
    const std::string wanted = upper(name);
    for (const NamedKey& key : kNamedKeys)
        if (wanted == key.name) return key.code;
    for (const KeyRun& run : kKeyRuns)
        for (int i = 0; i < run.count; ++i)
            if (wanted == runName(run, i)) return run.code + i;
    return std::nullopt;
}

std::string keyNameOf(int code)
{
    for (const NamedKey& key : kNamedKeys)
        if (code == key.code) return key.name;
    for (const KeyRun& run : kKeyRuns)
        if (code >= run.code && code < run.code + run.count) return runName(run, code - run.code);
    return "?";
}
