#include "core/ContentHash.h"

#include <cstdio>
#include <sstream>

#include "core/IniFile.h"

uint64_t fnv1a64(std::string_view bytes, uint64_t hash)
{
    for (unsigned char c : bytes) {
        hash ^= c;
        hash *= 0x100000001b3ull;
    }
    return hash;
}

std::string hashText(uint64_t hash)
{
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

std::optional<uint64_t> parseHashText(std::string_view text)
{
    if (text.size() != 16) return std::nullopt;
    uint64_t value = 0;
    for (char c : text) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
        if (digit < 0) return std::nullopt;
        value = value << 4 | static_cast<uint64_t>(digit);
    }
    return value;
}

std::optional<std::string> readFileBytes(const std::string& path, FileKind kind, std::string* why)
{
    std::ostringstream refusal;
    CheckedFile file = readCheckedFile(path, kind, refusal);
    if (why) *why = file.refusal;
    return std::move(file.bytes);
}

uint64_t levelFileHash(const IniFile& levelFile)
{
    return levelFile.readable() ? fnv1a64(levelFile.bytes()) : 0;
}

uint64_t levelFileHash(const std::string& levelPath)
{
    std::ostringstream quiet;
    return levelFileHash(IniFile(levelPath, quiet));
}
