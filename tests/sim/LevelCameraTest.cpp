// The game camera keeps a clear view in every shipped level: replaying the
// level's proof run through the real frame loop, the camera never drifts behind one of
// the tilted video screens (which would show only the screen's back) and no
// level box hides the character for long; and standing on any platform of a
// level gives a camera inside the screens on either follow side.
#include <gtest/gtest.h>

#include <cmath>
#include <iostream>
#include <string>

#include <glm/trigonometric.hpp>

#include "sim/frame/GameSession.h"
#include "support/CameraWatch.h"
#include "sim/run/HeadlessRun.h"
#include "support/ShippedFiles.h"

namespace {

// How far inside each screen's inner face the camera must stay.
constexpr float kScreenMargin = 3.0f;
// A jump up past a platform's edge may hide the character for a moment (a third
// of a second); longer means a box stands between the camera and the route.
constexpr int kMaxHiddenFrames = 20;

TEST(ScreenPlanes, FollowTheTiltedScreensOfTheBuiltLevel)
{
    // Hand-derived: turning the front screen by +20 degrees about x through
    // (0, 50, 80) puts its mid-plane at z = 80 + (y - 50) tan 20 (it leans away
    // from the play space at the top); the back screen, turned by -20 degrees,
    // mirrors it. The inner faces lie half the thickness (0.1) inside.
    HeadlessRun run(kSettings, shippedLevel(0));
    const Screens screens = Screens::of(*run.session().level);
    const float t = std::tan(glm::radians(20.0f));
    for (float y : {0.0f, 26.5f, 50.0f, 107.0f}) {
        SCOPED_TRACE(y);
        EXPECT_NEAR(screens.front.depthInside({0.0f, y, 80.0f + (y - 50.0f) * t}), -0.1f, 1e-3f);
        EXPECT_NEAR(screens.back.depthInside({30.0f, y, -80.0f - (y - 50.0f) * t}), -0.1f, 1e-3f);
    }
    // A camera 50 behind a character standing at z = 45 is behind the front
    // screen; one at z = 18 sees the level.
    EXPECT_LT(screens.front.depthInside(restingCamera({20.0f, 1.5f, 45.0f}, 1)), 0.0f);
    EXPECT_GT(screens.clearance(restingCamera({20.0f, 1.5f, 18.0f}, 1)), kScreenMargin);
    EXPECT_GT(screens.clearance(restingCamera({20.0f, 1.5f, -15.0f}, -1)), kScreenMargin);
    EXPECT_LT(screens.back.depthInside(restingCamera({20.0f, 1.5f, -30.0f}, -1)), 0.0f);

    const glm::vec3 half(4.0f, 0.5f, 4.0f);
    EXPECT_TRUE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {0, 12.5f, 25}, half));
    EXPECT_FALSE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {0, 20, 25}, half)) << "above the line";
    EXPECT_FALSE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {10, 12.5f, 25}, half)) << "beside the line";
    EXPECT_FALSE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {0, -3, -10}, half)) << "beyond the character";
}

class ShippedLevelCamera : public testing::TestWithParam<int> {};

TEST_P(ShippedLevelCamera, ProofRunKeepsTheCameraInFrontOfTheScreensWithTheCharacterInSight)
{
    const int n = GetParam();
    const Replay proof = proofRun(n);
    HeadlessRun run(kSettings, shippedLevel(n), proof.header.settings);
    CameraWatch watch(run.session());
    for (const ReplayFrame& frame : proof.frames) {
        if (run.closed()) break;
        run.exactFrame(keysOf(frame.keys), frame.deltaTime);
        watch.observe(run.frames());
    }
    const RunReport report = run.report();

    EXPECT_EQ(report.outcome, RunOutcome::Won) << "the proof run no longer wins; record it again";
    EXPECT_GE(watch.cameraClearance, kScreenMargin) << "camera too close to or behind a screen at " << watch.cameraAt;
    EXPECT_GE(watch.flippedClearance, kScreenMargin) << "a flipped camera is behind a screen at " << watch.flippedAt;
    EXPECT_LE(watch.longestHidden, kMaxHiddenFrames) << "character hidden until " << watch.hiddenAt;
    std::cout << "level" << n << ": camera clearance " << watch.cameraClearance << ", flipped "
              << watch.flippedClearance << ", longest hidden " << watch.longestHidden << " frames\n";
}

TEST_P(ShippedLevelCamera, EveryPlaceToStandGivesAClearView)
{
    // Any route, not just the recorded one: standing at the start or at the
    // middle of any platform top, the camera settles inside the screens on
    // both sides, and on the default side no box hides the character.
    HeadlessRun run(kSettings, shippedLevel(GetParam()));
    const Level& level = *run.session().level;
    const Screens screens = Screens::of(level);
    std::vector<glm::vec3> spots{run.session().character.getPosition()};
    const long platforms = run.session().levelFile.getInt("platforms", "total", 0);
    for (long i = 0; i < platforms; ++i) {
        const Platform& p = level.platforms[static_cast<size_t>(i)];
        spots.push_back(p.position + glm::vec3(0, p.halfExtents.y + 1.0f, 0));
    }
    for (size_t i = 0; i < spots.size(); ++i) {
        SCOPED_TRACE(i == 0 ? "start" : "platform" + std::to_string(i - 1));
        EXPECT_GE(screens.clearance(restingCamera(spots[i], 1)), kScreenMargin);
        EXPECT_GE(screens.clearance(restingCamera(spots[i], -1)), kScreenMargin);
        EXPECT_EQ(hidingBox(level, restingCamera(spots[i], 1), spots[i]), -1) << "a level box hides the character";
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevelCamera, testing::ValuesIn(shippedLevelNumbers()),
                         [](const testing::TestParamInfo<int>& info) { return "level" + std::to_string(info.param); });

}  // namespace
