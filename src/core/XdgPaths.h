#pragma once
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

// Where player files live (XDG base folders) and how a file named by the time
// finds a free name. Replays, records, the options overlay and screenshots all
// take their folders from here.

// An XDG base folder: the variable's value when it is an absolute path, else
// `underHome` inside $HOME; nullopt when neither gives an absolute folder.
// Arguments are the variables' values (null when unset).
std::optional<std::filesystem::path> xdgFolder(const char* xdgValue, const char* home, const char* underHome);

// "<folder>/<prefix><local time of `now` in strftime's `timeFormat`><extension>",
// or, when that file exists, the first free one of the same with "<separator>2"
// up to "<separator>99" before the extension (after that the last is returned).
std::filesystem::path unusedTimedPath(const std::filesystem::path& folder, const std::string& prefix,
                                      const char* timeFormat, const char* separator, const char* extension,
                                      std::time_t now);
