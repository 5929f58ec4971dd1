// Key handling (edge- and level-triggered keys, debug keys), mouse look and the
// game camera's glide.
#include <gtest/gtest.h>

#include "sim/frame/Camera.h"
#include "sim/frame/InputState.h"
#include "sim/frame/KeyHandler.h"
#include "sim/run/ScriptedHost.h"
#include "support/TestWorld.h"

namespace {

struct InputRig {
    explicit InputRig(bool debug = false) : keys(input, camera, host, debug, log) {}

    // Handles one frame's keys with exactly `held` down; returns the lines written.
    std::string frame(const std::vector<Key>& held, float dt = 1.0f / 60.0f)
    {
        host.hold(held);
        keys.processKeys(dt);
        return takeLog(log);
    }

    std::ostringstream log;
    InputState input;
    Camera camera;
    ScriptedHost host;
    KeyHandler keys;
};

}  // namespace

TEST(Input, HeldSpaceRequestsOneJumpUntilReleasedAndOnlyWithTheGameCamera)
{
    InputRig rig;
    int jumps = 0;
    for (int i = 0; i < 30; ++i) {
        rig.frame({Key::Space});
        jumps += rig.input.jumpRequested;
        rig.input.jumpRequested = false;
    }
    EXPECT_EQ(jumps, 1);
    EXPECT_TRUE(rig.input.gameStarted);
    rig.frame({});
    rig.frame({Key::Space});
    EXPECT_TRUE(rig.input.jumpRequested);

    InputRig freeCamera;
    freeCamera.input.useGameCamera = false;
    freeCamera.frame({Key::Space});
    EXPECT_FALSE(freeCamera.input.gameStarted);
    EXPECT_FALSE(freeCamera.input.jumpRequested);
}

TEST(Input, MovementKeysStayRequestedUntilTheFrameLogicClearsThemAndF2F8TabAndEscapeAct)
{
    InputRig rig;
    rig.frame({Key::W, Key::S, Key::F2, Key::F8, Key::Tab});
    EXPECT_TRUE(rig.input.moveForwardRequested && rig.input.moveBackRequested);
    EXPECT_FALSE(rig.input.hudVisible);
    EXPECT_TRUE(rig.input.cullingEnabled);
    EXPECT_TRUE(rig.input.switchSideRequested);
    EXPECT_FALSE(rig.host.closing);
    rig.frame({Key::Escape});
    EXPECT_TRUE(rig.input.moveForwardRequested) << "not cleared by the key handler";
    EXPECT_TRUE(rig.host.closing);
}

TEST(Input, DebugKeysActOnlyInDebugModeFireOnceWhenHeldAndTheFreeCameraFliesAt25)
{
    InputRig normal(false);
    EXPECT_EQ(normal.frame({Key::F1, Key::F3, Key::F4}), "");
    EXPECT_FALSE(normal.input.wireframe);
    EXPECT_TRUE(normal.input.useGameCamera);
    EXPECT_TRUE(normal.input.wasUp[static_cast<size_t>(Key::F4)]) << "memories of debug keys stay untouched";

    InputRig rig(true);
    EXPECT_EQ(rig.frame({Key::F4}), "Mouse Cursor ON\n");
    EXPECT_TRUE(rig.host.cursorVisible);
    EXPECT_EQ(rig.frame({Key::F4}), "") << "held key fires once";
    rig.frame({Key::F1});
    EXPECT_TRUE(rig.host.wireframe);
    EXPECT_EQ(rig.frame({Key::F4}), "Mouse Cursor OFF\n");
    EXPECT_EQ(rig.frame({Key::F3}), "Game Camera OFF\n");
    EXPECT_TRUE(rig.camera.freeFly);
    rig.frame({});
    EXPECT_EQ(rig.frame({Key::F3}), "Game Camera ON\n");
    EXPECT_FALSE(rig.camera.freeFly);
    EXPECT_FLOAT_EQ(rig.camera.moveSpeed, 25.0f);
    rig.frame({});
    rig.frame({Key::F3});  // free camera again
    const glm::vec3 before = rig.camera.position;
    rig.frame({Key::W}, 0.5f);
    EXPECT_NEAR(glm::distance(before, rig.camera.position), 12.5f, 1e-4f);
}

TEST(Input, MouseTurnsTheCameraFromTheExactCursorPositionAndPitchStopsAt89)
{
    InputState input;
    Camera camera;
    handleCursorMove(input, camera, 100.0, 100.0);  // first event only sets the reference
    EXPECT_FLOAT_EQ(camera.yaw, -90.0f);
    handleCursorMove(input, camera, 110.0, 100.0);
    EXPECT_NEAR(camera.yaw, -89.0f, 1e-5f);
    handleCursorMove(input, camera, 110.0, -900.0);
    EXPECT_FLOAT_EQ(camera.pitch, 89.0f);
    EXPECT_NEAR(glm::length(camera.front), 1.0f, 1e-5f);

    // Far from the origin a float cannot hold the cursor position: 2^24 + 1
    // narrows to 2^24. The one-pixel move must still turn the camera.
    InputState far;
    Camera turned;
    handleCursorMove(far, turned, 16777216.0, 0.0);
    handleCursorMove(far, turned, 16777217.0, 0.0);
    EXPECT_NEAR(turned.yaw, -89.9f, 1e-4f);
}

TEST(Camera, FollowGlidesTowardsThePointAboveAndBehind)
{
    Camera camera;
    const glm::vec3 target(0.0f, 10.0f, 0.0f);
    camera.follow(target, 0.2f);  // t = 1 lands on the goal point
    EXPECT_NEAR(camera.position.y, 35.0f, 1e-4f);
    EXPECT_NEAR(camera.position.z, 50.0f, 1e-4f);
    camera.followSide = -1;
    // Half way to the other side; slow frames land on the goal point instead of overshooting it.
    for (const auto& [dt, z] : {std::pair{0.1f, 0.0f}, {5.0f, -50.0f}, {0.7f, -50.0f}}) {
        camera.follow(target, dt);
        EXPECT_NEAR(camera.position.z, z, 1e-4f) << dt;
    }
    camera.freeFly = true;
    camera.follow(glm::vec3(100.0f), 1.0f);
    EXPECT_NEAR(camera.position.z, -50.0f, 1e-4f);
}
