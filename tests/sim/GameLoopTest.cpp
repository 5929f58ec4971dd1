// The frame loop through the game's own session, headless: the warm-up, the
// fixed-step backlog, movement, the first Space, the outcome tests and the
// culling line.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include <glm/glm.hpp>

#include "core/Units.h"
#include "sim/frame/GameSession.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/run/HeadlessRun.h"
#include "sim/run/KeyScript.h"
#include "support/TempFiles.h"

namespace {

// A small floor and a far-away goal: nothing decides the game by itself.
std::string quietLevel(int voidSpeed = 0)
{
    return "[world]\ndimensionX = 40\ndimensionZ = 40\ncharStartY = 3\ncharStartZ = 0\nvoidSpeed = " +
           std::to_string(voidSpeed) + "\n[goal]\ngoalX = 100\ngoalY = 100\ngoalZ = 100\n";
}
// The character starts inside a goal of radius 3.
const std::string kInsideTheGoal = "[general]\nname = Tiny\n[world]\ncharStartY = 3\ncharStartZ = 0\n[goal]\ngoalY = 3\n";
const std::string kGoalSize = "[elements]\ngoalX = 6\n";
const std::vector<Key> kSpace{Key::Space};

std::unique_ptr<HeadlessRun> start(const std::string& level, const std::string& settings = "", int loadTime = 0)
{
    return std::make_unique<HeadlessRun>(writeTempFile("settings", settings), writeTempFile("level", level), loadTime);
}

}  // namespace

TEST(GameLoop, WarmUpReadsTheWindowAndHonoursEscapeButAKeyHeldThroughItFiresOnTheFirstHandledFrame)
{
    auto run = start(quietLevel(), "", 5);
    GameSession& session = run->session();
    for (int i = 0; i < 5; ++i) run->frame(kSpace);
    EXPECT_EQ(run->windowHost().polls, 5) << "the window stays responsive through the warm-up";
    EXPECT_FALSE(session.input.gameStarted);
    run->frame(kSpace);
    EXPECT_TRUE(session.input.gameStarted);
    EXPECT_GT(session.character.jumpCooldown, 0.0f) << "the held Space jumped once";
    EXPECT_FALSE(run->closed());

    auto quitting = start(quietLevel(), "", 100000);
    quitting->frame({Key::Escape});
    EXPECT_TRUE(quitting->closed()) << "a long warm-up still ends on Escape";
}

TEST(GameLoop, StartUpTimeNeverReachesThePhysicsAndAtThirtyFramesASecondEveryFrameStepsAndTheBacklogGrows)
{
    auto run = start(quietLevel(), "", 3);
    const FrameState& frame = run->session().frame;
    run->frame({}, 4.0f);  // the first frame's delta covers all of start-up
    for (int i = 0; i < 3; ++i) run->frame({}, 0.01f);  // the last is the first handled frame
    EXPECT_NEAR(frame.stepAccumulator, 0.01f, 1e-6f);
    EXPECT_FALSE(frame.stepDue);
    run->frame(kSpace, 0.01f);
    EXPECT_TRUE(frame.stepDue);
    EXPECT_NEAR(frame.stepAccumulator, 0.02f - kFixedStep, 1e-6f);
    float previous = frame.stepAccumulator;
    for (int i = 0; i < 19; ++i) {
        run->frame({}, 1.0f / 30.0f);
        EXPECT_TRUE(frame.stepDue);
        EXPECT_NEAR(frame.stepAccumulator - previous, 1.0f / 60.0f, 1e-4f);
        previous = frame.stepAccumulator;
    }
}

TEST(GameLoop, MovementFollowsTheCameraSideAndOppositeKeysCancel)
{
    auto run = start(quietLevel());
    run->frame(kSpace);
    for (int i = 0; i < 60; ++i) run->frame({});  // settle on the floor
    const float startZ = run->session().character.getPosition().z;
    for (int i = 0; i < 30; ++i) run->frame({Key::W, Key::S});
    EXPECT_NEAR(run->session().character.getPosition().z, startZ, 0.05f);

    EXPECT_EQ(run->frame({Key::Tab}), "Flip\n");
    EXPECT_EQ(run->frame({Key::Tab}), "") << "a held Tab flips once";
    EXPECT_EQ(run->session().camera.followSide, -1);
    for (int i = 0; i < 30; ++i) run->frame({Key::W});
    EXPECT_GT(run->session().character.getPosition().z, startZ + 1.0f) << "W moves away from a camera on the -z side";
}

// Direction keys held while waiting for the first Space must not pile up speed
// for the start to release: the first step after Space starts from rest.
TEST(GameLoop, DirectionKeysHeldBeforeTheFirstSpaceLeaveTheSphereAtRest)
{
    for (const std::vector<Key>& held : {std::vector<Key>{Key::W}, std::vector<Key>{Key::A, Key::S}}) {
        auto run = start(quietLevel());
        GameSession& session = run->session();
        for (int i = 0; i < 120; ++i) run->frame(held);
        run->frame(kSpace);
        const glm::vec3 velocity = PhysicsWorld::velocityOf(session.character.body);
        EXPECT_LT(glm::length(glm::vec2(velocity.x, velocity.z)), 0.01f)
            << "speed at the first step after Space: " << velocity.x << " " << velocity.z;
        // The keys work as before once the level has started.
        for (int i = 0; i < 30; ++i) run->frame(held);
        const glm::vec3 moving = PhysicsWorld::velocityOf(session.character.body);
        EXPECT_GT(glm::length(glm::vec2(moving.x, moving.z)), 1.0f);
    }
}

TEST(GameLoop, NothingPlaysBeforeTheFirstSpace)
{
    auto run = start("[world]\nvoidSpeed = 100\ncharStartY = 3\n[goal]\ngoalX = 0\ngoalY = 3\ngoalZ = 5\n");
    const GameSession& session = run->session();
    const glm::vec3 start = session.character.getPosition();
    for (int i = 0; i < 120; ++i) EXPECT_EQ(run->frame({}), "");
    EXPECT_FLOAT_EQ(session.voidState.voidHeight, -10.0f);
    EXPECT_EQ(run->report().outcome, RunOutcome::Unfinished);
    EXPECT_EQ(session.hud.label, "0") << "the HUD is not updated before play";
    EXPECT_TRUE(session.confetti.pieces.empty());
    EXPECT_EQ(session.character.getPosition(), start) << "no physics step before play";
}

TEST(GameLoop, StartingInsideTheGoalWinsOnTheFirstFrameOfPlayAndDebugModeKeepsPlaying)
{
    for (const bool debug : {false, true}) {
        auto run = start(kInsideTheGoal, (debug ? "[debug]\ndebug = true\n" : "") + kGoalSize);
        const GameSession& session = run->session();
        EXPECT_EQ(run->frame(kSpace), "SUCCESSFULLY ESCAPED THE VOID!\n");
        for (int i = 0; i < 30 && !run->closed(); ++i) EXPECT_EQ(run->frame({}), "") << "no second decision";
        EXPECT_EQ(run->closed(), !debug);
        EXPECT_EQ(run->report().outcome, RunOutcome::Won);
        EXPECT_EQ(run->report().decidedFrame, 1);
        EXPECT_FALSE(session.hud.playing);
        EXPECT_TRUE(session.hud.won);
        EXPECT_EQ(session.hud.label, "0 [Tiny]");
        EXPECT_EQ(session.confetti.pieces.size(), 25u);
    }
}

TEST(GameLoop, AFastVoidLosesWithItsHeight)
{
    auto run = start(quietLevel(600));
    const RunReport report = run->play(*parseKeyScript("600 Space\n").script);
    ASSERT_TRUE(run->closed());
    EXPECT_EQ(report.outcome, RunOutcome::Lost);
    EXPECT_EQ(report.frames, report.decidedFrame);
    const std::string prefix = "GAME LOST! HEIGHT: ";
    ASSERT_EQ(report.log.rfind(prefix, 0), 0u) << report.log;
    const float printed = std::stof(report.log.substr(prefix.size()));
    // The void keeps rising after a loss: this frame's rise follows the test.
    EXPECT_NEAR(printed, run->session().voidState.voidHeight - 600.0f / 60.0f, 1e-3f);
    EXPECT_GE(printed, report.position.y);
}

TEST(GameLoop, AHeightAtOrBelowTheVoidLosesEvenInsideTheGoal)
{
    // Start below the void, inside the goal sphere: both lines, and the loss stands.
    auto run = start("[world]\ncharStartY = -20\ncharStartZ = 0\n[goal]\ngoalX = 0\ngoalY = -20\ngoalZ = 0\n", kGoalSize);
    EXPECT_EQ(run->frame(kSpace), "SUCCESSFULLY ESCAPED THE VOID!\nGAME LOST! HEIGHT: -10\n");
    EXPECT_EQ(run->report().outcome, RunOutcome::Lost);
    EXPECT_FALSE(run->session().hud.won);
    // Too short for a physics step: the body is still exactly at its start height, the void's.
    run = start("[world]\ncharStartY = -10\n[physics]\ngravity = 0\n");
    EXPECT_EQ(run->frame(kSpace, 0.001f), "GAME LOST! HEIGHT: -10\n");
    EXPECT_FALSE(run->session().frame.stepDue);
}
