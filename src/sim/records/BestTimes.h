#pragma once
#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>

// Best times per level, kept in $XDG_DATA_HOME/vaultrise/records.ini (else
// ~/.local/share/vaultrise/records.ini) as lines "<level hash> = <seconds>"
// under [best]. A level is known by the hash of its file, so an edited level
// starts a new record. The file is replaced whole through a temporary file
// and a rename: a crash leaves the old file or the new one, never half of one.
class BestTimes {
public:
    // nullopt when neither variable gives an absolute folder.
    static std::optional<std::filesystem::path> defaultPath(const char* xdgDataHome, const char* home);

    explicit BestTimes(std::filesystem::path path) : path(std::move(path)) {}

    // Reads the file. A missing file is an empty record; an unreadable or
    // corrupt one costs one line on `log`, and this object will then never
    // write over it.
    bool load(std::ostream& log);
    std::optional<float> best(const std::string& levelHash) const;
    // A finished run's time: true when it beats the record (or is the first),
    // in which case the file is re-read, the record set and the file written.
    // A failed write costs one line on `log`.
    bool offer(const std::string& levelHash, float seconds, std::ostream& log);

private:
    bool offerLocked(const std::string& levelHash, float seconds, std::ostream& log);
    bool save(std::ostream& log) const;

    std::filesystem::path path;
    std::map<std::string, float> records;
    bool writable = true;
};
