#include <gtest/gtest.h>

#include <cmath>

#include "core/Units.h"
#include "support/SessionRig.h"

namespace {

// A small floor and a far-away goal: nothing decides the game by itself.
std::string quietLevel(int voidSpeed = 0)
{
    return "[world]\ndimensionX = 40\ndimensionZ = 40\ncharStartY = 3\ncharStartZ = 0\nvoidSpeed = " +
           std::to_string(voidSpeed) + "\n[goal]\ngoalX = 100\ngoalY = 100\ngoalZ = 100\n";
}
const std::string kQuietLevel = quietLevel();

}  // namespace

TEST(GameLoop, WarmUpRendersOnlyAndIgnoresInput)
{
    SessionRig rig(kQuietLevel, "", 5);
    rig.host.press(Key::Space);
    for (int i = 0; i < 5; ++i) rig.frame();
    EXPECT_EQ(rig.host.polls, 0);
    EXPECT_FALSE(rig.session->input.gameStarted);
    // A key held since before the warm-up ended fires on the first handled frame.
    rig.frame();
    EXPECT_EQ(rig.host.polls, 1);
    EXPECT_TRUE(rig.session->input.gameStarted);
    EXPECT_GT(rig.session->character.jumpCooldown, 0.0f) << "the held Space jumped once";
}

TEST(GameLoop, LoadTimeZeroStartsAtOnce)
{
    SessionRig rig(kQuietLevel, "", 0);
    rig.frame();
    EXPECT_EQ(rig.host.polls, 1);
}

TEST(GameLoop, StartUpTimeNeverReachesThePhysics)
{
    SessionRig rig(kQuietLevel, "", 3);
    rig.frame(4.0f);  // the first frame's delta covers all of start-up
    rig.frame(0.01f);
    rig.frame(0.01f);
    rig.frame(0.01f);  // first handled frame
    EXPECT_NEAR(rig.session->frame.stepAccumulator, 0.01f, 1e-6f);
    EXPECT_FALSE(rig.session->frame.stepDue);
    rig.frame(0.01f);
    EXPECT_TRUE(rig.session->frame.stepDue);
    EXPECT_NEAR(rig.session->frame.stepAccumulator, 0.02f - kFixedStep, 1e-6f);
}

TEST(GameLoop, AtThirtyFramesASecondEveryFrameStepsAndTheBacklogGrows)
{
    SessionRig rig(kQuietLevel);
    rig.host.press(Key::Space);
    rig.frame(1.0f / 30.0f);
    rig.host.release(Key::Space);
    float previous = rig.session->frame.stepAccumulator;
    for (int i = 0; i < 20; ++i) {
        rig.frame(1.0f / 30.0f);
        EXPECT_TRUE(rig.session->frame.stepDue);
        EXPECT_NEAR(rig.session->frame.stepAccumulator - previous, 1.0f / 60.0f, 1e-4f);
        previous = rig.session->frame.stepAccumulator;
    }
}

TEST(GameLoop, MovementFollowsTheCameraSideAndOppositeKeysCancel)
{
    SessionRig rig(kQuietLevel);
    rig.host.press(Key::Space);
    rig.frame();
    rig.host.releaseAll();
    for (int i = 0; i < 60; ++i) rig.frame();  // settle on the floor
    const glm::vec3 start = rig.session->character.getPosition();

    rig.host.press(Key::W);
    rig.host.press(Key::S);
    for (int i = 0; i < 30; ++i) rig.frame();
    EXPECT_NEAR(rig.session->character.getPosition().z, start.z, 0.05f);

    rig.host.release(Key::S);
    rig.session->camera.followSide = -1;
    for (int i = 0; i < 30; ++i) rig.frame();
    EXPECT_GT(rig.session->character.getPosition().z, start.z + 1.0f) << "W moves away from a camera on the -z side";
}

TEST(GameLoop, TabFlipsTheCameraSide)
{
    SessionRig rig(kQuietLevel);
    rig.host.press(Key::Tab);
    EXPECT_EQ(rig.frame(), "Flip\n");
    EXPECT_EQ(rig.session->camera.followSide, -1);
    EXPECT_EQ(rig.frame(), "");
}

TEST(GameLoop, NothingPlaysBeforeTheFirstSpace)
{
    SessionRig rig("[world]\nvoidSpeed = 100\ncharStartY = 3\n[goal]\ngoalX = 0\ngoalY = 3\ngoalZ = 5\n");
    const glm::vec3 start = rig.session->character.getPosition();
    for (int i = 0; i < 120; ++i) EXPECT_EQ(rig.frame(), "");
    EXPECT_FLOAT_EQ(rig.session->voidState.voidHeight, -10.0f);
    EXPECT_FALSE(rig.view->voidDrawn);
    EXPECT_EQ(rig.session->gameManager.gameState, Playing);
    EXPECT_EQ(rig.session->hud.label, "0") << "the HUD is not updated before play";
    EXPECT_TRUE(rig.session->confetti.pieces.empty()) << "no confetti before a win";
    EXPECT_EQ(rig.session->character.getPosition(), start) << "no physics step before play";
}

TEST(GameLoop, StartingInsideTheGoalWinsOnTheFirstFrameOfPlay)
{
    SessionRig rig("[general]\nname = Tiny\n[world]\ncharStartY = 3\ncharStartZ = 0\n[goal]\ngoalY = 3\n",
                   "[elements]\ngoalX = 6\n");
    rig.host.press(Key::Space);
    const std::string out = rig.frame();
    EXPECT_EQ(out, "SUCCESSFULLY ESCAPED THE VOID!\n");
    EXPECT_EQ(rig.session->gameManager.gameState, Won);
    EXPECT_TRUE(rig.host.closing);
    EXPECT_FALSE(rig.session->hud.playing);
    EXPECT_TRUE(rig.session->hud.won);
    EXPECT_EQ(rig.session->hud.label, "0 [Tiny]");
    EXPECT_EQ(rig.session->confetti.pieces.size(), 25u);
    EXPECT_FALSE(rig.view->voidDrawn) << "a won game stops the void";
}

TEST(GameLoop, AFastVoidLosesWithItsHeight)
{
    SessionRig rig(quietLevel(600));
    rig.host.press(Key::Space);
    const std::string out = rig.runUntilClosed(600);
    ASSERT_TRUE(rig.host.closing);
    EXPECT_EQ(rig.session->gameManager.gameState, Lost);
    const std::string prefix = "GAME LOST! HEIGHT: ";
    ASSERT_EQ(out.rfind(prefix, 0), 0u) << out;
    const float printed = std::stof(out.substr(prefix.size()));
    // The void keeps rising after a loss: this frame's rise follows the test.
    EXPECT_NEAR(printed, rig.session->voidState.voidHeight - 600.0f / 60.0f, 1e-3f);
    EXPECT_GE(printed, rig.session->character.getHeight());
}

TEST(GameLoop, GoalAndLossInOneFrameEndsLostWithBothLines)
{
    // Start below the void, inside the goal sphere.
    SessionRig rig("[world]\ncharStartY = -20\ncharStartZ = 0\n[goal]\ngoalX = 0\ngoalY = -20\ngoalZ = 0\n",
                   "[elements]\ngoalX = 6\n");
    rig.host.press(Key::Space);
    EXPECT_EQ(rig.frame(), "SUCCESSFULLY ESCAPED THE VOID!\nGAME LOST! HEIGHT: -10\n");
    EXPECT_EQ(rig.session->gameManager.gameState, Lost);
    EXPECT_FALSE(rig.session->hud.won);
}

TEST(GameLoop, HeightEqualToTheVoidCountsAsLost)
{
    SessionRig rig("[world]\ncharStartY = -10\n[physics]\ngravity = 0\n");
    rig.host.press(Key::Space);
    // Too short for a physics step: the body is still exactly at its start height.
    EXPECT_EQ(rig.frame(0.001f), "GAME LOST! HEIGHT: -10\n");
    EXPECT_FALSE(rig.session->frame.stepDue);
}

TEST(GameLoop, DebugModeKeepsPlayingAfterTheEnd)
{
    SessionRig rig("[world]\ncharStartY = 3\ncharStartZ = 0\n[goal]\ngoalY = 3\n",
                   "[debug]\ndebug = true\n[elements]\ngoalX = 6\n");
    rig.host.press(Key::Space);
    EXPECT_EQ(rig.frame(), "SUCCESSFULLY ESCAPED THE VOID!\n");
    EXPECT_FALSE(rig.host.closing);
    for (int i = 0; i < 30; ++i) EXPECT_EQ(rig.frame(), "") << "no second decision";
}

TEST(GameLoop, CullingCountIsPrintedEveryThreeHundredFrames)
{
    SessionRig rig("[world]\ncharStartY = 3\ncharStartZ = 0\n[platforms]\ntotal = 2\n"
                   "platform0y = 5\nplatform0z = -20\nplatform1y = 5\nplatform1z = 900\n");
    rig.host.press(Key::F8);
    std::string out;
    for (int i = 0; i < 600; ++i) {
        const std::string line = rig.frame();
        if (!line.empty()) {
            EXPECT_EQ(rig.session->frame.frameCount % 300, 0) << line;
        }
        out += line;
    }
    // Two platforms and the floor: the one 900 units away lies beyond the far plane.
    EXPECT_EQ(out, "2 objects drawn\n2 objects drawn\n");
    EXPECT_EQ(rig.view->platformVisible, (std::vector<uint8_t>{1, 0, 1}));
}

TEST(GameLoop, AnimationCounterAdvancesOnEvenFramesOnly)
{
    SessionRig rig(kQuietLevel);
    for (int i = 0; i < 10; ++i) rig.frame(1.0f / 30.0f);
    EXPECT_EQ(rig.session->frame.animationFrame, 5);
}
