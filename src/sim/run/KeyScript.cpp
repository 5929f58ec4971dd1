#include "sim/run/KeyScript.h"

#include "core/ContentHash.h"
#include <iterator>
#include <sstream>

namespace {

constexpr const char* kKeyNames[] = {"W", "A", "S", "D", "Space", "Tab", "F1", "F2", "F3", "F4", "F8", "Escape", "P", "R", "N"};
static_assert(std::size(kKeyNames) == static_cast<size_t>(Key::Count), "one name per game key");

// A whole positive number and nothing else: "3x" or "0" is no frame count.
std::optional<int> frameCount(const std::string& word)
{
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9' || value > 1'000'000) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value <= 0) return std::nullopt;
    return value;
}

}  // namespace

const char* keyName(Key key)
{
    const auto index = static_cast<size_t>(key);
    return index < std::size(kKeyNames) ? kKeyNames[index] : "?";
}

std::optional<Key> keyFromName(const std::string& name)
{
    for (size_t i = 0; i < std::size(kKeyNames); ++i)
        if (name == kKeyNames[i]) return static_cast<Key>(i);
    return std::nullopt;
}

void KeyScript::append(const std::vector<Key>& keys)
{
    if (!runs.empty() && runs.back().keys == keys) {
        ++runs.back().frames;
        return;
    }
    runs.push_back({1, keys});
}

std::string KeyScript::format() const
{
    std::string text;
    for (const Run& run : runs) {
        text += std::to_string(run.frames);
        for (Key key : run.keys) text += std::string(" ") + keyName(key);
        text += "\n";
    }
    return text;
}

int KeyScript::totalFrames() const
{
    int total = 0;
    for (const Run& run : runs) total += run.frames;
    return total;
}

std::vector<std::vector<Key>> KeyScript::frames() const
{
    std::vector<std::vector<Key>> all;
    for (const Run& run : runs) all.insert(all.end(), static_cast<size_t>(run.frames), run.keys);
    return all;
}

KeyScriptResult parseKeyScript(const std::string& text)
{
    KeyScript script;
    std::istringstream lines(text);
    std::string line;
    for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        if (const auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string count;
        if (!(words >> count)) continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        KeyScript::Run run;
        if (const auto frames = frameCount(count)) {
            run.frames = *frames;
        } else {
            return {std::nullopt, where + "frame count expected, got " + count};
        }
        for (std::string name; words >> name;) {
            const auto key = keyFromName(name);
            if (!key) return {std::nullopt, where + "unknown key " + name};
            run.keys.push_back(*key);
        }
        script.runs.push_back(run);
    }
    return {script, ""};
}

KeyScriptResult loadKeyScript(const std::string& path)
{
    std::string refusal;
    const auto text = readFileBytes(path, FileKind::Replay, &refusal);
    if (!text) return {std::nullopt, "cannot read " + path + (refusal.empty() ? "" : " (" + refusal + ")")};
    KeyScriptResult result = parseKeyScript(*text);
    if (!result.script) result.error = path + ": " + result.error;
    return result;
}
