#include "render/FrameSequences.h"

#include "sim/view/FrameSequenceLayout.h"

unsigned frameFor(const FrameSequence& sequence, int32_t animationFrame)
{
    if (sequence.empty()) return 0;
    return sequence[static_cast<std::size_t>(animationFrame) % sequence.size()];
}

void FrameSequences::load(const std::string& assetPath, bool animations, const TextureLoader& loadTexture)
{
    FrameSequence* targets[] = {&videoFrames,        &videoFrontFrames,      &videoBackFrames,
                                &platformBlueFrames, &platformMagentaFrames, &laserFrames};
    for (size_t i = 0; i < kFrameSequenceLayouts.size(); ++i) {
        FrameSequence& sequence = *targets[i];
        sequence.clear();
        for (const std::string& name : frameFileNames(kFrameSequenceLayouts[i], animations))
            sequence.push_back(loadTexture(assetPath + name));
    }
}
