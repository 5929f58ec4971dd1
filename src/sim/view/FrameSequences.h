#pragma once
#include <functional>
#include <string>

#include "sim/view/AnimationClock.h"

// The six picture sequences, loaded once at start-up through the texture
// loader (a path in, a texture name out) and never changed afterwards.
struct FrameSequences {
    using TextureLoader = std::function<unsigned(const std::string& path)>;

    // Loads video, front video, back video, blue platform, magenta platform and
    // laser, in that order. A file that fails to load still takes its slot, with
    // whatever name the loader returned for it.
    void load(const std::string& assetPath, bool animations, const TextureLoader& loadTexture);

    FrameSequence videoFrames;
    FrameSequence videoFrontFrames;
    FrameSequence videoBackFrames;
    FrameSequence platformBlueFrames;
    FrameSequence platformMagentaFrames;
    FrameSequence laserFrames;
};
