#pragma once
#include <filesystem>
#include <iosfwd>
#include <string>
#include <string_view>

// The one way the game replaces a player's file (records, the settings
// overlay, a found run): a crash or a power cut leaves the old file or the new
// one, never an empty or half one. A temporary file beside it (one name per
// writer) is written, flushed to the disk (fsync), renamed over the old one,
// and the folder is flushed so that the rename itself lasts. The folder is made
// when missing. A failure leaves the old file as it was and removes the
// temporary one.

// An empty text when the file was replaced; otherwise why not, as
// "cannot write <temporary> (<why>)", "cannot replace <path> (<why>)" or
// "cannot flush the folder of <path> (<why>)".
std::string writeFileDurably(const std::filesystem::path& path, std::string_view bytes);

// The same, with a failure costing one line on `log`: "<what>: <why not>".
bool replaceFileDurably(const std::filesystem::path& path, std::string_view bytes, std::ostream& log,
                        const std::string& what);
