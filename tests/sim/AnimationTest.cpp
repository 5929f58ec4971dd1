#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/frame/FrameState.h"
#include "sim/view/AnimationClock.h"
#include "sim/view/FrameSequenceLayout.h"
#include "sim/view/FrameSequences.h"

TEST(FrameFiles, NumbersArePaddedToTheSequenceWidth)
{
    EXPECT_EQ(frameFileName("/textures/video/video", 3, 0), "/textures/video/video000.gif");
    EXPECT_EQ(frameFileName("/textures/video/video", 3, 10), "/textures/video/video010.gif");
    EXPECT_EQ(frameFileName("/textures/video/video", 3, 211), "/textures/video/video211.gif");
    EXPECT_EQ(frameFileName("/textures/video_front/video", 2, 0), "/textures/video_front/video00.gif");
    EXPECT_EQ(frameFileName("/textures/video_front/video", 2, 59), "/textures/video_front/video59.gif");
    EXPECT_EQ(frameFileName("/textures/laser/laser", 3, 9), "/textures/laser/laser009.gif");
    const std::vector<std::string> laser = frameFileNames(kFrameSequenceLayouts[5], true);
    ASSERT_EQ(laser.size(), 110u);
    EXPECT_EQ(laser.back(), "/textures/laser/laser109.gif");
}

namespace {

struct RecordingLoader {
    std::vector<std::string> paths;
    FrameSequences::TextureLoader loader()
    {
        return [this](const std::string& path) {
            paths.push_back(path);
            return static_cast<unsigned>(paths.size());  // texture names 1, 2, 3, ...
        };
    }
};

}  // namespace

TEST(FrameSequences, AnimationsOnLoadEveryFrameInSequenceOrder)
{
    RecordingLoader recorder;
    FrameSequences sequences;
    sequences.load("assets", true, recorder.loader());

    ASSERT_EQ(recorder.paths.size(), 536u);
    EXPECT_EQ(sequences.videoFrames.size(), 212u);
    EXPECT_EQ(sequences.videoFrontFrames.size(), 60u);
    EXPECT_EQ(sequences.videoBackFrames.size(), 60u);
    EXPECT_EQ(sequences.platformBlueFrames.size(), 47u);
    EXPECT_EQ(sequences.platformMagentaFrames.size(), 47u);
    EXPECT_EQ(sequences.laserFrames.size(), 110u);

    EXPECT_EQ(recorder.paths[0], "assets/textures/video/video000.gif");
    EXPECT_EQ(recorder.paths[211], "assets/textures/video/video211.gif");
    EXPECT_EQ(recorder.paths[212], "assets/textures/video_front/video00.gif");
    EXPECT_EQ(recorder.paths[272], "assets/textures/video_back/video00.gif");
    EXPECT_EQ(recorder.paths[332], "assets/textures/platform_blue/platform00.gif");
    EXPECT_EQ(recorder.paths[379], "assets/textures/platform_magenta/platform00.gif");
    EXPECT_EQ(recorder.paths[426], "assets/textures/laser/laser000.gif");
    EXPECT_EQ(recorder.paths[535], "assets/textures/laser/laser109.gif");
    // Element k of a sequence is the texture of file k.
    EXPECT_EQ(sequences.videoFrontFrames[0], 213u);
    EXPECT_EQ(sequences.laserFrames[109], 536u);
}

TEST(FrameSequences, AnimationsOffLoadOnlyTheNumberOneStills)
{
    RecordingLoader recorder;
    FrameSequences sequences;
    sequences.load("../assets", false, recorder.loader());

    EXPECT_EQ(recorder.paths, (std::vector<std::string>{
                                  "../assets/textures/video/video001.gif",
                                  "../assets/textures/video_front/video01.gif",
                                  "../assets/textures/video_back/video01.gif",
                                  "../assets/textures/platform_blue/platform01.gif",
                                  "../assets/textures/platform_magenta/platform01.gif",
                                  "../assets/textures/laser/laser001.gif",
                              }));
    // Whatever the counter does, every surface shows its still.
    for (int32_t frame : {0, 1, 59, 211, 12345}) {
        EXPECT_EQ(frameFor(sequences.videoFrames, frame), 1u);
        EXPECT_EQ(frameFor(sequences.laserFrames, frame), 6u);
    }
}

TEST(FrameSequences, AFailedLoadStillTakesItsSlot)
{
    FrameSequences sequences;
    sequences.load("a", true, [](const std::string& path) {
        return path.find("video_back/video07") != std::string::npos ? 0u : 5u;
    });
    ASSERT_EQ(sequences.videoBackFrames.size(), 60u);
    EXPECT_EQ(sequences.videoBackFrames[7], 0u);
    EXPECT_EQ(sequences.videoBackFrames[8], 5u);
}

TEST(AnimationClock, AdvancesOnlyOnEvenFramesAndDropsTheRemainder)
{
    FrameState frame;
    frame.deltaTime = 0.02f;

    frame.frameCount = 1;  // odd: nothing, not even the time
    advanceAnimation(frame);
    EXPECT_EQ(frame.animationFrame, 0);
    EXPECT_EQ(frame.animationTimer, 0.0f);

    frame.frameCount = 2;  // even, 0.02 ≥ 1/60: advance, timer back to 0 (not 0.00333)
    advanceAnimation(frame);
    EXPECT_EQ(frame.animationFrame, 1);
    EXPECT_EQ(frame.animationTimer, 0.0f);

    // Frame times just short of 1/60 need two even frames.
    frame.deltaTime = 0.01f;
    frame.frameCount = 4;
    advanceAnimation(frame);
    EXPECT_EQ(frame.animationFrame, 1);
    EXPECT_FLOAT_EQ(frame.animationTimer, 0.01f);
    frame.frameCount = 5;
    advanceAnimation(frame);
    EXPECT_FLOAT_EQ(frame.animationTimer, 0.01f);
    frame.frameCount = 6;
    advanceAnimation(frame);
    EXPECT_EQ(frame.animationFrame, 2);
    EXPECT_EQ(frame.animationTimer, 0.0f);
}

TEST(AnimationClock, TheThresholdIsTheFloatSixtieth)
{
    FrameState frame;
    frame.frameCount = 2;
    frame.deltaTime = 0.016666668f;
    advanceAnimation(frame);
    EXPECT_EQ(frame.animationFrame, 1) << "exactly 1/60 s advances";

    frame.deltaTime = 0.016666666f;  // the next float below
    advanceAnimation(frame);
    EXPECT_EQ(frame.animationFrame, 1) << "a hair short waits";
    EXPECT_EQ(frame.animationTimer, 0.016666666f);

    // At 60 frames a second it advances every other frame.
    frame = FrameState{};
    frame.deltaTime = 0.016666668f;
    for (int i = 1; i <= 120; ++i) {
        frame.frameCount = i;
        advanceAnimation(frame);
    }
    EXPECT_EQ(frame.animationFrame, 60);
}

TEST(AnimationClock, EachSequenceWrapsAtItsOwnLength)
{
    FrameSequence video(212), laser(110);
    for (unsigned i = 0; i < 212; ++i) video[i] = 1000 + i;
    for (unsigned i = 0; i < 110; ++i) laser[i] = 2000 + i;
    EXPECT_EQ(frameFor(video, 0), 1000u);
    EXPECT_EQ(frameFor(video, 211), 1211u);
    EXPECT_EQ(frameFor(video, 212), 1000u);
    EXPECT_EQ(frameFor(laser, 115), 2005u);
    EXPECT_EQ(frameFor(FrameSequence{}, 3), 0u);
}
