#include "core/IniFile.h"

#include <INIReader.h>

#include <cstdlib>

#include "core/FileCheck.h"

IniFile::IniFile() = default;

IniFile::IniFile(const std::string& path, std::ostream& log)
{
    const CheckedFile file = readCheckedFile(path, FileKind::Ini, log);
    if (file.bytes) reader = std::make_unique<INIReader>(file.bytes->data(), file.bytes->size());
}

IniFile IniFile::fromText(std::string_view text)
{
    IniFile file;
    file.reader = std::make_unique<INIReader>(text.data(), text.size());
    return file;
}

IniFile::~IniFile() = default;
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;

bool IniFile::loaded() const { return reader && reader->ParseError() == 0; }

bool IniFile::has(const std::string& section, const std::string& key) const
{
    return reader && reader->HasValue(section, key);
}

std::string IniFile::getString(const std::string& section, const std::string& key, const std::string& fallback) const
{
    if (!reader) return fallback;
    return reader->Get(section, key, fallback);
}

long IniFile::getInt(const std::string& section, const std::string& key, long fallback) const
{
    if (!has(section, key)) return fallback;
    const std::string text = reader->Get(section, key, "");
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    return end > text.c_str() ? value : fallback;
}

float IniFile::getFloat(const std::string& section, const std::string& key, float fallback) const
{
    if (!has(section, key)) return fallback;
    const std::string text = reader->Get(section, key, "");
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    return end > text.c_str() ? value : fallback;
}

bool IniFile::getBool(const std::string& section, const std::string& key, bool fallback) const
{
    if (!reader) return fallback;
    return reader->GetBoolean(section, key, fallback);
}
