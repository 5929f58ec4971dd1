#include "sim/view/FrameSequences.h"

#include "sim/view/FrameSequenceLayout.h"

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
