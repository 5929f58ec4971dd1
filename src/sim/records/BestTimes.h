#pragma once
#include <filesystem>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>

// Best times per level, kept in $XDG_DATA_HOME/vaultrise/records.ini (else
// ~/.local/share/vaultrise/records.ini) as lines "<level hash> = <seconds>"
// under [best]. A level is known by the hash of its file, so an edited level
// starts a new record. Times are kept to the millisecond and compared as kept.
// The file is replaced whole through replaceFileDurably: a crash or a power
// cut leaves the old file or the new one, never an empty or half one.
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
    // A finished run's time: true when it beats the record (or is the first)
    // once rounded as it is kept, and the file, re-read, has been written with
    // it. A failed write costs one line on `log` and returns false: no new
    // best is announced that is not kept.
    bool offer(const std::string& levelHash, float seconds, std::ostream& log);

private:
    bool offerLocked(const std::string& levelHash, float seconds, std::ostream& log);
    bool save(std::ostream& log) const;

    std::filesystem::path path;
    std::map<std::string, float> records;
    bool writable = true;
};
