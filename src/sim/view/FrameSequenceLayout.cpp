#include "sim/view/FrameSequenceLayout.h"

const std::array<FrameSequenceLayout, 6> kFrameSequenceLayouts = {{
    {"videoFrames", "/textures/video/video", 212, 3},
    {"videoFrontFrames", "/textures/video_front/video", 60, 2},
    {"videoBackFrames", "/textures/video_back/video", 60, 2},
    {"platformBlueFrames", "/textures/platform_blue/platform", 47, 2},
    {"platformMagentaFrames", "/textures/platform_magenta/platform", 47, 2},
    {"laserFrames", "/textures/laser/laser", 110, 3},
}};

std::string frameFileName(const std::string& prefix, int digits, int n)
{
    std::string number = std::to_string(n);
    if (static_cast<int>(number.size()) < digits) number.insert(0, static_cast<size_t>(digits) - number.size(), '0');
    return prefix + number + ".gif";
}

std::vector<std::string> frameFileNames(const FrameSequenceLayout& layout, bool animations)
{
    if (!animations) return {frameFileName(layout.prefix, layout.digits, 1)};
    std::vector<std::string> names;
    names.reserve(static_cast<size_t>(layout.frameCount));
    for (int n = 0; n < layout.frameCount; ++n) names.push_back(frameFileName(layout.prefix, layout.digits, n));
    return names;
}
