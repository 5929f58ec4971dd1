#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/FileCheck.h"

// Fingerprints of the files a run depends on, so that a replay can tell whether
// the level or the element catalogue has changed since it was recorded.

// 64-bit FNV-1a: fast, stable across machines, good enough to notice an edit.
uint64_t fnv1a64(std::string_view bytes, uint64_t hash = 0xcbf29ce484222325ull);
// Sixteen lower-case hex digits.
std::string hashText(uint64_t hash);
std::optional<uint64_t> parseHashText(std::string_view text);

// The whole file through the file checks of its kind, or nothing when it is
// missing or refused (the reason, if any, goes to `why`).
std::optional<std::string> readFileBytes(const std::string& path, FileKind kind, std::string* why = nullptr);

class IniFile;

// A level file's hash: of the bytes the game read (0 when none were read).
uint64_t levelFileHash(const IniFile& levelFile);
uint64_t levelFileHash(const std::string& levelPath);
