#pragma once
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <set>
#include <string>
#include <vector>

// Which levels the player has won, kept by the level file's name ("level2")
// in $XDG_DATA_HOME/vaultrise/progress.ini (else ~/.local/share/...) under
// [won]: editing a level does not lock it again. A level is open when it is
// the first, when the one before it has been won, when the settings' unlockAll
// is on, or in debug mode.
class LevelProgress {
public:
    static std::optional<std::filesystem::path> defaultPath(const char* xdgDataHome, const char* home);

    explicit LevelProgress(std::filesystem::path path) : path(std::move(path)) {}

    // A missing file is no level won; an unreadable one costs one line on `log`.
    void load(std::ostream& log);
    bool won(const std::string& levelName) const { return wonLevels.count(levelName) > 0; }
    // Marks the level won and writes the file (atomically) when it was not;
    // a failed write costs one line on `log`.
    void markWon(const std::string& levelName, std::ostream& log);

    // For levels in play order: whether each is locked.
    std::vector<bool> locked(const std::vector<std::string>& levelNames, bool unlockAll) const;

private:
    std::filesystem::path path;
    std::set<std::string> wonLevels;
};
