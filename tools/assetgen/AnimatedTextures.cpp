#include <filesystem>

#include "FrameSequenceWriter.h"
#include "Painters.h"

bool writeAnimatedTextures(const std::string& dir)
{
    namespace fs = std::filesystem;
    for (const char* sub : {"video", "video_front", "video_back", "platform_blue", "platform_magenta", "laser"})
        fs::create_directories(fs::path(dir) / sub);

    const Color magenta(1.0f, 0.1f, 0.85f), cyan(0.1f, 0.8f, 1.0f);
    bool ok = true;
    ok &= FrameSequenceWriter::write(dir + "/video", "video", 3, 212, 128, paintPortal);
    ok &= FrameSequenceWriter::write(dir + "/video_front", "video", 2, 60, 256, paintSynthwave);
    ok &= FrameSequenceWriter::write(dir + "/video_back", "video", 2, 60, 256, paintSkyline);
    ok &= FrameSequenceWriter::write(dir + "/platform_blue", "platform", 2, 47, 128,
                                     [&](Image& image, int, float phase) { paintNeonPanel(image, cyan, phase, true, 0xB10Eu); });
    ok &= FrameSequenceWriter::write(dir + "/platform_magenta", "platform", 2, 47, 128,
                                     [&](Image& image, int, float phase) { paintNeonPanel(image, magenta, phase, true, 0x3A6Eu); });
    ok &= FrameSequenceWriter::write(dir + "/laser", "laser", 3, 110, 128,
                                     [](Image& image, int frame, float) { paintLaser(image, frame, 110); });
    return ok;
}
