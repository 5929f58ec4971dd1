#include <gtest/gtest.h>

#include "sim/frame/Camera.h"
#include "sim/frame/InputState.h"
#include "sim/frame/KeyHandler.h"
#include "support/TempIni.h"
#include "support/FakeHost.h"

namespace {

struct InputRig {
    explicit InputRig(bool debug = false) : keys(input, camera, host, debug, log) {}

    std::string frame(float dt = 1.0f / 60.0f)
    {
        keys.processKeys(dt);
        return takeLog(log);
    }

    std::ostringstream log;
    InputState input;
    Camera camera;
    FakeHost host;
    KeyHandler keys;
};

}  // namespace

TEST(Input, HeldSpaceRequestsOneJumpUntilReleased)
{
    InputRig rig;
    rig.host.press(Key::Space);
    int jumps = 0;
    for (int i = 0; i < 30; ++i) {
        rig.frame();
        if (rig.input.jumpRequested) ++jumps;
        rig.input.jumpRequested = false;
        EXPECT_TRUE(rig.input.gameStarted);
    }
    EXPECT_EQ(jumps, 1);
    rig.host.release(Key::Space);
    rig.frame();
    rig.host.press(Key::Space);
    rig.frame();
    EXPECT_TRUE(rig.input.jumpRequested);
}

TEST(Input, SpaceWithTheFreeCameraDoesNothing)
{
    InputRig rig;
    rig.input.useGameCamera = false;
    rig.host.press(Key::Space);
    rig.frame();
    EXPECT_FALSE(rig.input.gameStarted);
    EXPECT_FALSE(rig.input.jumpRequested);
}

TEST(Input, MovementKeysAreLevelTriggeredAndNotClearedHere)
{
    InputRig rig;
    rig.host.press(Key::W);
    rig.host.press(Key::S);
    rig.frame();
    EXPECT_TRUE(rig.input.moveForwardRequested);
    EXPECT_TRUE(rig.input.moveBackRequested);
    rig.host.releaseAll();
    rig.frame();
    EXPECT_TRUE(rig.input.moveForwardRequested) << "requests are consumed by the frame logic, not by key handling";
}

TEST(Input, MouseTurnsTheCameraAndPitchStopsAt89)
{
    std::ostringstream log;
    InputState input;
    Camera camera;
    handleCursorMove(input, camera, 100.0, 100.0);  // first event only sets the reference
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    handleCursorMove(input, camera, 110.0, 100.0);
    EXPECT_NEAR(camera.yaw, -89.0f, 1e-5f);
    handleCursorMove(input, camera, 110.0, -900.0);
    EXPECT_FLOAT_EQ(camera.pitch, 89.0f);
    EXPECT_NEAR(glm::length(camera.front), 1.0f, 1e-5f);
}

TEST(Input, CursorOffsetComesFromTheExactPositionNotItsFloatCopy)
{
    // Far from the origin a float cannot hold the cursor position: 2^24 + 1
    // narrows to 2^24. The one-pixel move must still turn the camera.
    std::ostringstream log;
    InputState input;
    Camera camera;
    handleCursorMove(input, camera, 16777216.0, 0.0);
    handleCursorMove(input, camera, 16777217.0, 0.0);
    EXPECT_NEAR(camera.yaw, -89.9f, 1e-4f);
    EXPECT_EQ(input.lastCursorX, 16777216.0f) << "the stored reference is a float";
}

TEST(Input, DebugKeysPrintTheirLinesOnlyInDebugMode)
{
    InputRig normal(false);
    normal.host.press(Key::F1);
    normal.host.press(Key::F3);
    normal.host.press(Key::F4);
    EXPECT_EQ(normal.frame(), "");
    EXPECT_FALSE(normal.input.wireframe);
    EXPECT_TRUE(normal.input.useGameCamera);
    EXPECT_TRUE(normal.input.wasUp[static_cast<size_t>(Key::F4)]) << "memories of debug keys stay untouched";

    InputRig debug(true);
    debug.host.press(Key::F4);
    EXPECT_EQ(debug.frame(), "Mouse Cursor ON\n");
    EXPECT_TRUE(debug.host.cursorVisible);
    EXPECT_EQ(debug.frame(), "") << "held key fires once";
    debug.host.release(Key::F4);
    debug.frame();
    debug.host.press(Key::F4);
    EXPECT_EQ(debug.frame(), "Mouse Cursor OFF\n");

    debug.host.press(Key::F1);
    debug.frame();
    EXPECT_TRUE(debug.host.wireframe);
}

TEST(Input, FreeCameraFliesAt25AfterF3OffAndOn)
{
    InputRig rig(true);
    rig.host.press(Key::F3);
    EXPECT_EQ(rig.frame(), "Game Camera OFF\n");
    EXPECT_TRUE(rig.camera.freeFly);
    rig.host.release(Key::F3);
    rig.frame();
    rig.host.press(Key::F3);
    EXPECT_EQ(rig.frame(), "Game Camera ON\n");
    EXPECT_FALSE(rig.camera.freeFly);
    EXPECT_FLOAT_EQ(rig.camera.moveSpeed, 25.0f);

    rig.host.releaseAll();
    rig.frame();
    rig.host.press(Key::F3);
    rig.frame();  // free camera again
    rig.host.release(Key::F3);
    rig.host.press(Key::W);
    const glm::vec3 before = rig.camera.position;
    rig.frame(0.5f);
    EXPECT_NEAR(glm::distance(before, rig.camera.position), 12.5f, 1e-4f);
}

TEST(Input, TogglesEscapeAndTab)
{
    InputRig rig;
    rig.host.press(Key::F2);
    rig.host.press(Key::F8);
    rig.host.press(Key::Tab);
    rig.frame();
    EXPECT_FALSE(rig.input.hudVisible);
    EXPECT_TRUE(rig.input.cullingEnabled);
    EXPECT_TRUE(rig.input.switchSideRequested);
    EXPECT_FALSE(rig.host.closing);
    rig.host.press(Key::Escape);
    rig.frame();
    EXPECT_TRUE(rig.host.closing);
}

TEST(Camera, FollowGlidesTowardsThePointAboveAndBehind)
{
    Camera camera;
    camera.follow(glm::vec3(0.0f, 10.0f, 0.0f), 0.2f);  // t = 1 lands on the goal point
    EXPECT_NEAR(camera.position.y, 35.0f, 1e-4f);
    EXPECT_NEAR(camera.position.z, 50.0f, 1e-4f);
    camera.followSide = -1;
    camera.follow(glm::vec3(0.0f, 10.0f, 0.0f), 0.1f);  // half way to the other side
    EXPECT_NEAR(camera.position.z, 0.0f, 1e-4f);
    // Slow frames land on the goal point instead of overshooting it.
    camera.follow(glm::vec3(0.0f, 10.0f, 0.0f), 5.0f);
    EXPECT_NEAR(camera.position.z, -50.0f, 1e-4f);
    camera.follow(glm::vec3(0.0f, 10.0f, 0.0f), 0.7f);
    EXPECT_NEAR(camera.position.z, -50.0f, 1e-4f);
    camera.followSide = 1;
    camera.follow(glm::vec3(0.0f, 10.0f, 0.0f), 0.1f);
    EXPECT_NEAR(camera.position.z, 0.0f, 1e-4f);
    camera.freeFly = true;
    camera.follow(glm::vec3(100.0f), 1.0f);
    EXPECT_NEAR(camera.position.z, 0.0f, 1e-4f);
}
