#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <set>
#include <string>

#include "sim/view/FrameSequences.h"
#include "render/TextureLoader.h"
#include "support/GlTest.h"

using FrameSequencesGl = GlTest;

// With the game's loader, files that are missing still give every slot its
// own texture name, each failure reported once.
TEST_F(FrameSequencesGl, MissingStillsKeepTheirSlotsWithTheGameLoader)
{
    FrameSequences sequences;
    const std::string output = captureStdout([&] { sequences.load("/nonexistent", false, loadTexture); });
    EXPECT_EQ(output,
              "Texture failed to load at path: /nonexistent/textures/video/video001.gif\n"
              "Texture failed to load at path: /nonexistent/textures/video_front/video01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/video_back/video01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/platform_blue/platform01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/platform_magenta/platform01.gif\n"
              "Texture failed to load at path: /nonexistent/textures/laser/laser001.gif\n");
    const std::set<unsigned> names = {sequences.videoFrames.at(0),        sequences.videoFrontFrames.at(0),
                                      sequences.videoBackFrames.at(0),    sequences.platformBlueFrames.at(0),
                                      sequences.platformMagentaFrames.at(0), sequences.laserFrames.at(0)};
    EXPECT_EQ(names.size(), 6u);
    EXPECT_EQ(names.count(0u), 0u);
}
