#include "sim/settings/SettingsOverlay.h"

#include <ini.h>

#include <algorithm>
#include <cctype>
#include <ostream>
#include <utility>
#include <vector>

#include "core/FileCheck.h"
#include "core/IniFile.h"
#include "core/XdgPaths.h"

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
