// Frame sequences: which files are loaded in which order, and which picture
// each surface shows as the animation counter runs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/FrameSequences.h"
#include "sim/view/FrameSequenceLayout.h"

TEST(FrameSequences, AnimationsOnLoadEveryFrameInSequenceOrderAndAFailedLoadKeepsItsSlot)
{
    std::vector<std::string> paths;
    FrameSequences sequences;
    sequences.load("assets", true, [&](const std::string& path) {
        paths.push_back(path);
        return path.find("video_back/video07") != std::string::npos ? 0u : unsigned(paths.size());
    });
    ASSERT_EQ(paths.size(), 536u);
    EXPECT_EQ(frameFileNames(kFrameSequenceLayouts[5], true).back(), "/textures/laser/laser109.gif");
    const struct {
        const FrameSequence& frames;
        size_t count, firstPath;
        const char* first;
    } expected[] = {
        {sequences.videoFrames, 212, 0, "assets/textures/video/video000.gif"},
        {sequences.videoFrontFrames, 60, 212, "assets/textures/video_front/video00.gif"},
        {sequences.videoBackFrames, 60, 272, "assets/textures/video_back/video00.gif"},
        {sequences.platformBlueFrames, 47, 332, "assets/textures/platform_blue/platform00.gif"},
        {sequences.platformMagentaFrames, 47, 379, "assets/textures/platform_magenta/platform00.gif"},
        {sequences.laserFrames, 110, 426, "assets/textures/laser/laser000.gif"},
    };
    for (const auto& e : expected) {
        EXPECT_EQ(e.frames.size(), e.count) << e.first;
        EXPECT_EQ(paths[e.firstPath], e.first);
        EXPECT_EQ(e.frames[1], e.firstPath + 2) << "element k is the texture of file k";
    }
    EXPECT_EQ(paths[211], "assets/textures/video/video211.gif");
    EXPECT_EQ(sequences.videoBackFrames[7], 0u) << "a failed load still takes its slot";
    EXPECT_EQ(sequences.videoBackFrames[8], 272u + 9u);
}

TEST(FrameSequences, EachSequenceWrapsAtItsOwnLength)
{
    FrameSequence video(212), laser(110);
    for (unsigned i = 0; i < 212; ++i) video[i] = 1000 + i;
    for (unsigned i = 0; i < 110; ++i) laser[i] = 2000 + i;
    EXPECT_EQ(frameFor(video, 211), 1211u);
    EXPECT_EQ(frameFor(video, 212), 1000u);
    EXPECT_EQ(frameFor(laser, 115), 2005u);
    EXPECT_EQ(frameFor(FrameSequence{}, 3), 0u);
}
