#include "core/IniFile.h"

#include <INIReader.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/FileCheck.h"

IniFile::IniFile() = default;

IniFile::IniFile(const std::string& path, std::ostream& log)
{
    CheckedFile file = readCheckedFile(path, FileKind::Ini, log);
    if (!file.bytes) return;
    text = std::move(*file.bytes);
    reader = std::make_unique<INIReader>(text.data(), text.size());
}

IniFile IniFile::fromText(std::string_view text)
{
    IniFile file;
    file.text = text;
    file.reader = std::make_unique<INIReader>(file.text.data(), file.text.size());
    return file;
}

IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

bool IniFile::loaded() const { return reader && reader->ParseError() == 0; }

namespace {

std::string lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string replacementKey(const std::string& section, const std::string& key)
{
    return lowered(section) + "=" + lowered(key);
}

}  // namespace

void IniFile::replace(const std::string& section, const std::string& key, std::string value)
{
    replacements[replacementKey(section, key)] = std::move(value);
}

std::optional<std::string> IniFile::replaced(const std::string& section, const std::string& key) const
{
    if (replacements.empty()) return std::nullopt;
    const auto found = replacements.find(replacementKey(section, key));
    if (found == replacements.end()) return std::nullopt;
    return found->second;
}

bool IniFile::has(const std::string& section, const std::string& key) const
{
    return replaced(section, key) || (reader && reader->HasValue(section, key));
}

std::string IniFile::getString(const std::string& section, const std::string& key, const std::string& fallback) const
{
    if (auto value = replaced(section, key)) return *value;
    if (!reader) return fallback;
    return reader->Get(section, key, fallback);
}

long IniFile::getInt(const std::string& section, const std::string& key, long fallback) const
{
    if (!has(section, key)) return fallback;
    const std::string text = getString(section, key, "");
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    return end > text.c_str() ? value : fallback;
}

float IniFile::getFloat(const std::string& section, const std::string& key, float fallback) const
{
    if (!has(section, key)) return fallback;
    const std::string text = getString(section, key, "");
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    return end > text.c_str() ? value : fallback;
}

bool IniFile::getBool(const std::string& section, const std::string& key, bool fallback) const
{
    if (const auto value = replaced(section, key)) {
        const std::string word = lowered(*value);
        if (word == "true" || word == "yes" || word == "on" || word == "1") return true;
        if (word == "false" || word == "no" || word == "off" || word == "0") return false;
        return fallback;
    }
    if (!reader) return fallback;
    return reader->GetBoolean(section, key, fallback);
}
