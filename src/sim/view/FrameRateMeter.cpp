#include "sim/view/FrameRateMeter.h"

#include <cstdio>

void FrameRateMeter::addFrame(float deltaTime)
{
    if (!(deltaTime > 0.0f)) return;  // a paused or broken clock says nothing about the rate
    frames.push_back(deltaTime);
    total += deltaTime;
    // Keep one second's worth, but always the newest frame.
    while (frames.size() > 1 && total - frames.front() >= 1.0f) {
        total -= frames.front();
        frames.pop_front();
    }
}

float FrameRateMeter::framesPerSecond() const { return total > 0.0f ? static_cast<float>(frames.size()) / total : 0.0f; }

float FrameRateMeter::milliseconds() const
{
    return frames.empty() ? 0.0f : 1000.0f * total / static_cast<float>(frames.size());
}

std::string FrameRateMeter::text() const
{
    if (frames.empty()) return "";
    char line[48];
    std::snprintf(line, sizeof line, "%.0f FPS  %.1f MS", static_cast<double>(framesPerSecond()),
                  static_cast<double>(milliseconds()));
    return line;
}
