#pragma once
#include <iosfwd>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class INIReader;

// Typed, defaulted lookups over one INI file. A missing file, section or key
// silently yields the caller's default; nothing is validated, because level
// authors are expected to iterate on files while the game keeps running.
// The file is read through readCheckedFile: a FIFO, a device or a file above
// the INI size cap is refused with one line on `log` and reads as missing.
class IniFile {
public:
    IniFile();  // an empty file: every lookup gives its default
    IniFile(const std::string& path, std::ostream& log);
    // The text of an INI file, as if read from one (fuzzing, tests).
    static IniFile fromText(std::string_view text);
    ~IniFile();
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;

    // Whether the file was found and parsed without error.
    bool loaded() const;
    // Whether the file was there and read (parse errors or not).
    bool readable() const { return reader != nullptr; }

    std::string getString(const std::string& section, const std::string& key, const std::string& fallback) const;
    // Base detection as strtol with base 0 (decimal, 0x hexadecimal, leading-0 octal);
    // a value with no leading digits gives the fallback.
    long getInt(const std::string& section, const std::string& key, long fallback) const;
    // Parsed in single precision; a value that does not begin with a number gives the fallback.
    float getFloat(const std::string& section, const std::string& key, float fallback) const;
    // true/yes/on/1 and false/no/off/0, case-insensitive; anything else gives the fallback.
    bool getBool(const std::string& section, const std::string& key, bool fallback) const;
    bool has(const std::string& section, const std::string& key) const;
    // The bytes that were read and parsed (empty when none were): what a
    // replay's header fingerprints, rather than the file as it is later.
    const std::string& bytes() const { return text; }

    // Gives `value` to every later lookup of the key in place of the file's
    // (the player's settings overlay). Section and key match without regard
    // to case, as the file's do.
    void replace(const std::string& section, const std::string& key, std::string value);

private:
    std::optional<std::string> replaced(const std::string& section, const std::string& key) const;

    std::unique_ptr<INIReader> reader;
    std::string text;
    std::map<std::string, std::string> replacements;
};
