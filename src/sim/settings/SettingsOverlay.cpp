#include "sim/settings/SettingsOverlay.h"

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <sstream>
#include <utility>
#include <vector>

#include "core/FileCheck.h"
#include "core/IniFile.h"
#include "core/XdgPaths.h"
#include "core/DurableFile.h"

namespace {

using Entry = std::pair<std::pair<std::string, std::string>, std::string>;

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

int collectEntry(void* user, const char* section, const char* key, const char* value)
{
    static_cast<std::vector<Entry>*>(user)->push_back({{section, key}, value});
    return 1;
}

std::string trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// One line of an INI file: a section header, a key, or something kept as it is.
struct Line {
    std::string text;
    std::string section;  // the section the line is in (its own for a header)
    std::string key;      // empty unless the line sets one
    bool header = false;
};

// nullopt when a line is neither blank, a comment, a section nor a key.
std::optional<std::vector<Line>> splitLines(const std::string& text)
{
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string raw, section;
    while (std::getline(in, raw)) {
        Line line{raw, section, "", false};
        const std::string t = trimmed(raw);
        if (!t.empty() && t[0] == '[') {
            if (t.back() != ']') return std::nullopt;
            section = trimmed(t.substr(1, t.size() - 2));
            line.section = section;
            line.header = true;
        } else if (!t.empty() && t[0] != ';' && t[0] != '#') {
            const size_t equals = t.find('=');
            if (equals == std::string::npos || equals == 0) return std::nullopt;
            line.key = trimmed(t.substr(0, equals));
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::optional<std::filesystem::path> settingsOverlayPath(const char* xdgConfigHome, const char* home)
{
    const auto base = xdgFolder(xdgConfigHome, home, ".config");
    if (!base) return std::nullopt;
    return *base / "vaultrise" / "settings.ini";
}

bool overlayMaySet(const std::string& section, const std::string& key)
{
    const std::string s = lowered(section), k = lowered(key);
    if (s == "elements") return false;
    if (s == "general") return k != "assetpath" && k != "level" && k != "loadtime";
    if (s == "debug") return k != "debug" && k != "usegamecamera";
    return true;
}

int applySettingsOverlay(IniFile& settings, const std::filesystem::path& path, std::ostream& log)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error)) return 0;
    const CheckedFile file = readCheckedFile(path.string(), FileKind::Ini, log);
    if (!file.bytes) {
        if (file.refusal.empty()) log << "Settings overlay: cannot read " << path.string() << ", ignored\n";
        return 0;
    }
    std::vector<Entry> entries;
    // The parser needs the text to end at its first NUL; a NUL inside is damage.
    const bool hasNul = file.bytes->find('\0') != std::string::npos;
    const int errorLine = hasNul ? -1 : ini_parse_string(file.bytes->c_str(), collectEntry, &entries);
    if (errorLine != 0) {
        log << "Settings overlay: " << path.string() << " is damaged";
        if (errorLine > 0) log << " (line " << errorLine << ")";
        log << ", ignored\n";
        return 0;
    }
    int applied = 0;
    for (const auto& [name, value] : entries) {
        if (!overlayMaySet(name.first, name.second)) continue;
        settings.replace(name.first, name.second, value);
        ++applied;
    }
    return applied;
}

std::string overlayTextWith(const std::string& text, const OverlayValues& values)
{
    std::vector<Line> lines = splitLines(text).value_or(std::vector<Line>{});
    OverlayValues pending = values;
    for (Line& line : lines) {
        const auto found = pending.find({line.section, line.key});
        if (line.key.empty() || found == pending.end()) continue;
        line.text = line.key + " = " + found->second;
        pending.erase(found);
    }
    std::ostringstream out;
    for (size_t i = 0; i < lines.size(); ++i) {
        out << lines[i].text << "\n";
        // New keys of a section go after its last line.
        const bool sectionEnds = i + 1 == lines.size() || lines[i + 1].header;
        if (!sectionEnds || lines[i].section.empty()) continue;
        for (auto it = pending.begin(); it != pending.end();) {
            if (it->first.first != lines[i].section) {
                ++it;
                continue;
            }
            out << it->first.second << " = " << it->second << "\n";
            it = pending.erase(it);
        }
    }
    std::string section;
    for (const auto& [where, value] : pending) {
        if (where.first != section) {
            section = where.first;
            out << "[" << section << "]\n";
        }
        out << where.second << " = " << value << "\n";
    }
    return out.str();
}

bool writeSettingsOverlay(const std::filesystem::path& path, const OverlayValues& values, std::ostream& log)
{
    std::string old;
    std::error_code error;
    if (std::filesystem::exists(path, error)) {
        std::ostringstream quiet;  // the reader has said what is wrong with it
        const CheckedFile file = readCheckedFile(path.string(), FileKind::Ini, quiet);
        if (file.bytes && splitLines(*file.bytes)) old = *file.bytes;
    }
    if (old.empty()) old = "; Vaultrise: the player's options, read over the game's settings\n";
    return replaceFileDurably(path, overlayTextWith(old, values), log, "Settings overlay: cannot save the options");
}
