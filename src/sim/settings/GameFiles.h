#pragma once
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <variant>

// Where a run finds the game's own files: the settings file, and the folder a
// relative assetPath in it is read from.
struct GameFiles {
    std::string settingsPath;
    // The folder a relative assetPath is read from; empty for the current
    // folder (the settings named on the command line or the current folder's).
    std::string dataFolder;
    // True when the settings are not the current folder's own, so the run says
    // which file it reads.
    bool announce = false;
};

// What the search starts from.
struct GameFilesSearch {
    std::optional<std::string> namedSettings;  // --settings FILE
    std::filesystem::path executable;          // the running binary; empty when unknown
    std::filesystem::path sourceTree;          // the source a build folder was configured from
};

// The folder an installed game keeps its data in, from its executable:
// <prefix>/share/vaultrise next to <prefix>/bin or <prefix>/games.
std::filesystem::path installedDataFolder(const std::filesystem::path& executable);

// The settings a run uses, in this order: the file named on the command line;
// assets/settings/settings.ini in the current folder; the same under the
// installed data folder; when the executable sits in a build folder
// (CMakeCache.txt beside it), the same under the source tree. With none of
// them, the one line to print before the game exits with status 1.
// `exists` tells whether there is a file at a path (a table of paths in tests).
std::variant<GameFiles, std::string> findGameFiles(const GameFilesSearch& search,
                                                   const std::function<bool(const std::filesystem::path&)>& exists);
