#include "sim/replay/ReplayFile.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/ContentHash.h"
#include "sim/run/KeyScript.h"

namespace {

constexpr std::string_view kMagic = "vaultrise replay ";
constexpr const char* kCutHeader = "cut short inside its header, before the first frame";

// Splits into words at single spaces; nullopt on an empty word (two spaces, a
// space at either end), which the writer never produces.
std::optional<std::vector<std::string_view>> words(std::string_view line)
{
    std::vector<std::string_view> result;
    size_t start = 0;
    while (true) {
        const size_t space = line.find(' ', start);
        const std::string_view word = line.substr(start, space == std::string_view::npos ? space : space - start);
        if (word.empty()) return std::nullopt;
        result.push_back(word);
        if (space == std::string_view::npos) return result;
        start = space + 1;
    }
}

std::optional<int> readInt(std::string_view text)
{
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

std::optional<bool> readBool(std::string_view text)
{
    if (text == "true") return true;
    if (text == "false") return false;
    return std::nullopt;
}

// A deltaTime: a finite, non-negative float written in full.
std::optional<float> readDeltaTime(std::string_view text)
{
    if (text.empty() || text.size() > 40) return std::nullopt;
    const std::string copy(text);
    char* end = nullptr;
    const float value = std::strtof(copy.c_str(), &end);
    if (end != copy.c_str() + copy.size() || !std::isfinite(value) || value < 0.0f) return std::nullopt;
    return value;
}

// Reads the text one line at a time; a line counts only with its '\n'.
struct Lines {
    std::string_view bytes;
    size_t at = 0;
    int number = 0;

    bool atEnd() const { return at >= bytes.size(); }
    // The next whole line, or nullopt when the text ends (possibly inside a line).
    std::optional<std::string_view> next()
    {
        const size_t end = bytes.find('\n', at);
        if (end == std::string_view::npos) return std::nullopt;
        const std::string_view line = bytes.substr(at, end - at);
        at = end + 1;
        ++number;
        return line;
    }
};

// A word of a broken file as it may appear in a one-line message.
std::string printable(std::string_view word)
{
    std::string text(word.substr(0, 24));
    for (char& c : text)
        if (c < 0x20 || c > 0x7e) c = '?';
    return text;
}

// Text that stays on its header line.
// Header words are written back into lines of their own: no control characters.
bool plainText(std::string_view text)
{
    for (const char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return false;
    return true;
}


std::string oneLine(std::string text)
{
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

ReplayParse failure(const std::string& error)
{
    return {std::nullopt, error};
}

}  // namespace

KeyMask maskOf(const std::vector<Key>& keys)
{
    KeyMask mask = 0;
    for (Key key : keys) mask |= keyBit(key);
    return mask;
}

std::vector<Key> keysOf(KeyMask mask)
{
    std::vector<Key> keys;
    for (unsigned k = 0; k < static_cast<unsigned>(Key::Count); ++k)
        if (mask & (1u << k)) keys.push_back(static_cast<Key>(k));
    return keys;
}

const char* gameVersion()
{
    return VAULTRISE_VERSION;
}

std::string formatReplayHeader(const ReplayHeader& h)
{
    const auto flag = [](bool on) { return on ? "true" : "false"; };
    const std::string simulation = h.format >= 2 ? "\nsimulation " + std::to_string(h.simulation) : "";
    return std::string(kMagic) + std::to_string(h.format) + "\ngame " + oneLine(h.gameVersion) + simulation + "\nlevel " +
           oneLine(h.level) + "\nlevelFile " + hashText(h.levelHash) + " " + oneLine(h.levelFile) + "\nelements " +
           hashText(h.catalogueHash) + "\nloadTime " + std::to_string(h.settings.loadTime) + "\ndebug " +
           flag(h.settings.debug) + "\nuseGameCamera " + flag(h.settings.useGameCamera) + "\nframes\n";
}

std::string formatReplayFrame(const ReplayFrame& frame)
{
    char text[48];
    if (frame.paused)
        std::snprintf(text, sizeof text, "paused %u", static_cast<unsigned>(frame.repeat));
    else
        std::snprintf(text, sizeof text, "%a", static_cast<double>(frame.deltaTime));
    std::string line = text;
    for (Key key : keysOf(frame.keys)) line += std::string(" ") + keyName(key);
    return line + "\n";
}

ReplayParse parseReplay(std::string_view bytes)
{
    if (bytes.empty()) return failure("empty file, not a vaultrise replay");
    Lines lines{bytes};
    const auto first = lines.next();
    const std::string_view firstLine = first ? *first : bytes.substr(0, 64);
    if (firstLine.substr(0, kMagic.size()) != kMagic) return failure("not a vaultrise replay");
    if (!first) return failure(kCutHeader);
    const auto format = readInt(firstLine.substr(kMagic.size()));
    if (!format || *format < 1) return failure("not a vaultrise replay (unreadable format version)");
    if (*format > kReplayFormat)
        return failure("format " + std::to_string(*format) + " is newer than this vaultrise reads (" +
                       std::to_string(kReplayFormat) + "); play it with a newer vaultrise");

    Replay replay;
    ReplayHeader& h = replay.header;
    h.format = *format;
    // Header lines: "<name> <value>" in a fixed order; `value` is what follows the name.
    std::string_view value;
    bool headerCut = false;
    const auto expect = [&](std::string_view name) {
        const auto line = lines.next();
        headerCut = !line;
        if (!line || line->substr(0, name.size()) != name ||
            (line->size() > name.size() && (*line)[name.size()] != ' '))
            return false;
        value = line->size() > name.size() ? line->substr(name.size() + 1) : std::string_view{};
        return true;
    };
    const auto bad = [&](std::string_view what) {
        if (headerCut) return failure(kCutHeader);
        return failure("line " + std::to_string(lines.number) + ": expected " + std::string(what));
    };

    if (!expect("game") || value.empty() || !plainText(value)) return bad("'game <version>'");
    h.gameVersion = value;
    if (h.format >= 2) {
        std::optional<int> simulation;
        if (!expect("simulation") || !(simulation = readInt(value)) || *simulation < 1)
            return bad("'simulation <number>'");
        h.simulation = *simulation;
    } else {
        h.simulation = 1;
    }
    if (!expect("level") || !usableLevelSetting(value)) return bad("'level <setting>' (no '/' or '\\')");
    h.level = value;
    std::optional<uint64_t> levelHash;
    if (!expect("levelFile") || value.size() < 17 || !(levelHash = parseHashText(value.substr(0, 16))) ||
        value[16] != ' ' || !plainText(value))
        return bad("'levelFile <16 hex digits> <name>'");
    h.levelHash = *levelHash;
    h.levelFile = value.substr(17);
    std::optional<uint64_t> elements;
    if (!expect("elements") || !(elements = parseHashText(value))) return bad("'elements <16 hex digits>'");
    h.catalogueHash = *elements;
    std::optional<int> loadTime;
    if (!expect("loadTime") || !(loadTime = readInt(value))) return bad("'loadTime <frames>'");
    h.settings.loadTime = *loadTime;
    std::optional<bool> debug, gameCamera;
    if (!expect("debug") || !(debug = readBool(value))) return bad("'debug true|false'");
    if (!expect("useGameCamera") || !(gameCamera = readBool(value))) return bad("'useGameCamera true|false'");
    h.settings.debug = *debug;
    h.settings.useGameCamera = *gameCamera;
    if (!expect("frames") || !value.empty()) return bad("'frames'");

    while (!lines.atEnd()) {
        const auto line = lines.next();
        if (!line) {
            replay.cutShort = true;  // a frame the writer never finished
            break;
        }
        const auto fields = words(*line);
        const std::string where = "line " + std::to_string(lines.number) + ": ";
        ReplayFrame frame;
        size_t firstKey = 1;
        if (h.format >= 2 && fields && fields->front() == "paused") {
            const auto count = fields->size() > 1 ? readInt((*fields)[1]) : std::nullopt;
            if (!count || *count < 1 || static_cast<uint32_t>(*count) > kPausedRunLimit)
                return failure(where + "expected 'paused <1 to " + std::to_string(kPausedRunLimit) + "> [keys]'");
            frame.paused = true;
            frame.repeat = static_cast<uint32_t>(*count);
            firstKey = 2;
        } else {
            const auto dt = fields ? readDeltaTime(fields->front()) : std::nullopt;
            if (!dt) return failure(where + "expected a frame: '<deltaTime as hex float> [keys]'");
            frame.deltaTime = *dt;
        }
        for (size_t i = firstKey; i < fields->size(); ++i) {
            const auto key = keyFromName(std::string((*fields)[i]));
            if (!key) return failure(where + "unknown key " + printable((*fields)[i]));
            frame.keys |= maskOf({*key});
        }
        replay.frames.push_back(frame);
    }
    return {std::move(replay), ""};
}

ReplayParse loadReplay(const std::string& path)
{
    std::string refusal;
    const auto bytes = readFileBytes(path, FileKind::Replay, &refusal);
    ReplayParse parsed = bytes ? parseReplay(*bytes)
                               : failure(refusal.empty() ? "cannot read the file (missing or unreadable)" : refusal);
    if (!parsed.replay) parsed.error = "replay " + path + ": " + parsed.error;
    return parsed;
}
