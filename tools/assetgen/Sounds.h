#pragma once
#include <string>

// Writes every sound effect into `folder` (assets/sounds).
bool writeSounds(const std::string& folder);
// Writes the music loop into `folder` (assets/music).
bool writeMusic(const std::string& folder);
