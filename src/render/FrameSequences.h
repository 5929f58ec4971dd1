#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// An uploaded picture sequence: element k is the texture of frame k.
using FrameSequence = std::vector<unsigned>;

// The texture a sequence shows for the animation counter: it wraps at the
// sequence's own length. An empty sequence shows texture 0.
unsigned frameFor(const FrameSequence& sequence, int32_t animationFrame);

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
