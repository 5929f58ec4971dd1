#pragma once

#include <functional>
#include <string>

#include "Image.h"

// Paints a looping sequence and writes it as numbered single-picture GIF89a
// files sharing one palette. The painter receives the frame index and the loop
// phase 2*pi*k/N, so any motion built from the phase is periodic in N.
class FrameSequenceWriter {
public:
    using Painter = std::function<void(Image& image, int frame, float phase)>;

    // Writes directory/prefix + zero-padded number + ".gif" for frames 0..count-1.
    static bool write(const std::string& directory, const std::string& prefix, int digits, int count, int size,
                      const Painter& painter);
};
