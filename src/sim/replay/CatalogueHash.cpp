#include "sim/replay/CatalogueHash.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <tuple>

#include "core/ContentHash.h"
#include "core/IniFile.h"
#include "sim/level/Level.h"

uint64_t catalogueHash(const IniFile& settings, const IniFile& levelFile)
{
    if (!settings.readable()) return 0;
    std::set<std::string> used{"goal"};
    for (const auto& [section, prefix, catalogue] : {std::tuple{"platforms", "platform", "plat_"},
                                                     std::tuple{"walls", "wall", "wall_"}}) {
        const long total = std::min(levelFile.getInt(section, "total", 0), kMaxLevelEntries);
        for (long i = 0; i < total; ++i)
            used.insert(catalogue + levelFile.getString(section, prefix + std::to_string(i) + "type", "regular"));
    }
    uint64_t hash = fnv1a64("");
    for (const std::string& type : used) {
        hash = fnv1a64(type + "=", hash);
        for (const char axis : {'X', 'Y', 'Z'}) {
            const float size = settings.getFloat("elements", type + axis, 1.0f);
            char bytes[sizeof size];
            std::memcpy(bytes, &size, sizeof size);
            hash = fnv1a64(std::string_view(bytes, sizeof bytes), hash);
        }
    }
    return hash;
}

uint64_t catalogueHash(const std::string& settingsPath, const std::string& levelPath)
{
    std::ostringstream quiet;
    return catalogueHash(IniFile(settingsPath, quiet), IniFile(levelPath, quiet));
}
