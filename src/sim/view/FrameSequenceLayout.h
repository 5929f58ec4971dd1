#pragma once
#include <array>
#include <string>
#include <vector>

// Where one looping picture sequence lives: numbered GIF files under the asset
// path, `digits` wide with leading zeros, from 0 to frameCount − 1.
struct FrameSequenceLayout {
    const char* name;
    const char* prefix;
    int frameCount;
    int digits;
};

// The six sequences in loading order: video, front video, back video, blue
// platform, magenta platform, laser.
extern const std::array<FrameSequenceLayout, 6> kFrameSequenceLayouts;

// prefix + n padded with zeros to `digits` + ".gif", e.g. "/textures/video/video010.gif".
std::string frameFileName(const std::string& prefix, int digits, int n);

// The files of one sequence, relative to the asset path. With animations off a
// sequence is reduced to its still picture, which is file number 1 (not 0).
std::vector<std::string> frameFileNames(const FrameSequenceLayout& layout, bool animations);
