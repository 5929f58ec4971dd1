#pragma once
#include <deque>
#include <string>

// F9's readout: frames per second and the mean frame time over the last
// second of frames, as one short HUD line.
class FrameRateMeter {
public:
    void addFrame(float deltaTime);
    float framesPerSecond() const;
    float milliseconds() const;
    // "60 FPS  16.7 MS"; empty before the first frame.
    std::string text() const;

private:
    std::deque<float> frames;  // the frame times of the last second, oldest first
    float total = 0.0f;
};
