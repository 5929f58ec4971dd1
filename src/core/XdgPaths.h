#pragma once
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "core/ExclusiveFile.h"

// Where player files live (XDG base folders) and how a file named by the time
// finds a free name. Replays, records, the options overlay and screenshots all
// take their folders from here.

// An XDG base folder: the variable's value when it is an absolute path, else
// `underHome` inside $HOME; nullopt when neither gives an absolute folder.
// Arguments are the variables' values (null when unset).
std::optional<std::filesystem::path> xdgFolder(const char* xdgValue, const char* home, const char* underHome);


// Creates "<folder>/<prefix><local time of `now` in strftime's `timeFormat`><extension>",
// or, when that name is taken, the first free one with "<separator>2" and up
// before the extension (see createUnusedFile): two games never share one.
CreatedFile createTimedFile(const std::filesystem::path& folder, const std::string& prefix, const char* timeFormat,
                            const char* separator, const char* extension, std::time_t now);
