#pragma once
#include <cstdint>
#include <string>

class IniFile;

// A hash of the catalogue sizes the level uses, as the game reads them: the
// [elements] sizes of every platform and wall type the level file names (up
// to the entry limit) and of the goal, each axis's value as a float, a missing
// one as its default. Comments, order, other types and a different spelling
// of the same value leave it alone, so adding a type for another level keeps
// every recorded run playable; changing a used size does not. 0 when the
// settings were not read.
uint64_t catalogueHash(const IniFile& settings, const IniFile& levelFile);
uint64_t catalogueHash(const std::string& settingsPath, const std::string& levelPath);
