#include "core/ContentHash.h"

#include <algorithm>
#include <cstdio>
#include <sstream>
#include <vector>

namespace {

std::string_view trim(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

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

std::string catalogueText(std::string_view settingsBytes)
{
    std::vector<std::string> entries;
    bool inElements = false;
    size_t start = 0;
    while (start < settingsBytes.size()) {
        size_t end = settingsBytes.find('\n', start);
        if (end == std::string_view::npos) end = settingsBytes.size();
        std::string_view line = trim(settingsBytes.substr(start, end - start));
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            inElements = trim(line.substr(1, line.find(']') - 1)) == "elements";
            continue;
        }
        if (!inElements) continue;
        // An inline comment starts with ';' after white space, as the INI reader reads it.
        if (const auto comment = line.find(" ;"); comment != std::string_view::npos)
            line = trim(line.substr(0, comment));
        const auto equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        entries.push_back(std::string(trim(line.substr(0, equals))) + "=" + std::string(trim(line.substr(equals + 1))));
    }
    std::sort(entries.begin(), entries.end());
    std::string text;
    for (const std::string& entry : entries) text += entry + "\n";
    return text;
}

uint64_t levelFileHash(const std::string& levelPath)
{
    const auto bytes = readFileBytes(levelPath, FileKind::Ini);
    return bytes ? fnv1a64(*bytes) : 0;
}

uint64_t catalogueHash(const std::string& settingsPath)
{
    const auto bytes = readFileBytes(settingsPath, FileKind::Ini);
    return bytes ? fnv1a64(catalogueText(*bytes)) : 0;
}
