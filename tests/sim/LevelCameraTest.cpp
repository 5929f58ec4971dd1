// The game camera keeps a clear view in every shipped level: replaying the
// win script through the real frame loop, the camera never drifts behind one
// of the tilted video screens (which would show only the screen's back) and no
// level box hides the character for long; and standing on any platform of a
// level gives a camera inside the screens on either follow side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <sstream>
#include <utility>
#include <vector>
#include <string>

#include <glm/trigonometric.hpp>

#include "support/CameraView.h"
#include "support/KeyScript.h"
#include "support/LevelRun.h"

namespace {

using namespace camera_view;

const std::string kRoot = VAULTRISE_SOURCE_DIR;
const std::string kSettings = kRoot + "/assets/settings/settings.ini";
constexpr int kShippedLevels = 5;
// How far inside each screen's inner face the camera must stay.
constexpr float kScreenMargin = 3.0f;
// A jump up past a platform's edge may hide the character for a moment (a third of a
// second); longer means a box stands between the camera and the route.
constexpr int kMaxHiddenFrames = 20;

std::string levelPath(int n) { return kRoot + "/assets/settings/level" + std::to_string(n) + ".ini"; }
std::string scriptPath(int n) { return kRoot + "/tests/data/levels/level" + std::to_string(n) + ".keys"; }

std::string text(const glm::vec3& v)
{
    std::ostringstream out;
    out << "(" << v.x << ", " << v.y << ", " << v.z << ")";
    return out.str();
}

TEST(ScreenPlanes, FollowTheTiltedScreensOfTheBuiltLevel)
{
    // Hand-derived: turning the front screen by +20 degrees about x through
    // (0, 50, 80) puts its mid-plane at z = 80 + (y - 50) tan 20 (it leans
    // away from the play space at the top); the back screen, turned by -20
    // degrees, mirrors it. The inner faces lie half the thickness (0.1) inside.
    LevelRun run(kSettings, levelPath(0));
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
}

TEST(ScreenPlanes, LineOfSightMeetsBoxesOnTheWay)
{
    const glm::vec3 half(4.0f, 0.5f, 4.0f);
    EXPECT_TRUE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {0, 12.5f, 25}, half));
    EXPECT_FALSE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {0, 20, 25}, half)) << "above the line";
    EXPECT_FALSE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {10, 12.5f, 25}, half)) << "beside the line";
    EXPECT_FALSE(segmentHitsBox({0, 25, 50}, {0, 0, 0}, {0, -3, -10}, half)) << "beyond the character";
}

class ShippedLevelCamera : public testing::TestWithParam<int> {};

TEST_P(ShippedLevelCamera, ScriptKeepsTheCameraInFrontOfTheScreensWithTheCharacterInSight)
{
    const int n = GetParam();
    const KeyScript script = KeyScript::load(scriptPath(n));
    ASSERT_GT(script.totalFrames(), 0);
    LevelRun run(kSettings, levelPath(n));
    const Level& level = *run.session().level;
    const Screens screens = Screens::of(level);

    float worstCamera = 1e9f;
    std::string worstCameraAt;
    float worstFlipped = 1e9f;
    std::string worstFlippedAt;
    int hiddenRun = 0;
    int longestHidden = 0;
    std::string longestHiddenAt;
    float nearestZ = -1e9f;
    float farthestZ = 1e9f;
    for (const std::vector<Key>& keys : script.frames()) {
        if (run.finished()) break;
        run.frame(keys);
        const glm::vec3 p = run.position();
        const glm::vec3 camera = run.session().camera.position;
        nearestZ = std::max(nearestZ, p.z);
        farthestZ = std::min(farthestZ, p.z);
        const std::string where = "frame " + std::to_string(run.frames) + ", character " + text(p) + ", camera " +
                                  text(camera);

        // The game camera itself, every frame, wherever its glide has got to.
        if (const float c = screens.clearance(camera); c < worstCamera) {
            worstCamera = c;
            worstCameraAt = where;
        }
        // Tab at any moment sends the camera to the character's other side.
        if (const float c = screens.clearance(restingCamera(p, -run.session().camera.followSide)); c < worstFlipped) {
            worstFlipped = c;
            worstFlippedAt = where;
        }
        const int box = hidingBox(level, camera, p);
        hiddenRun = box >= 0 ? hiddenRun + 1 : 0;
        if (hiddenRun > longestHidden) {
            longestHidden = hiddenRun;
            longestHiddenAt = where + ", hidden by level box " + std::to_string(box);
        }
    }
    EXPECT_EQ(run.gameState(), Won) << "the script no longer wins; record it again";
    EXPECT_GE(worstCamera, kScreenMargin) << "game camera too close to or behind a screen at " << worstCameraAt;
    EXPECT_GE(worstFlipped, kScreenMargin) << "a flipped camera would be behind a screen at " << worstFlippedAt;
    EXPECT_LE(longestHidden, kMaxHiddenFrames) << "character hidden for " << longestHidden << " frames until "
                                               << longestHiddenAt;
    std::cout << "level" << n << ": character z " << farthestZ << " .. " << nearestZ << ", camera clearance "
              << worstCamera << ", flipped " << worstFlipped << ", longest hidden " << longestHidden << " frames\n";
}

TEST_P(ShippedLevelCamera, EveryPlaceToStandGivesAClearView)
{
    // Any route, not just the recorded one: standing at the start or at the
    // middle of any platform top, the camera settles inside the screens on
    // both sides, and on the default side no box hides the character.
    const int n = GetParam();
    LevelRun run(kSettings, levelPath(n));
    const Level& level = *run.session().level;
    const Screens screens = Screens::of(level);

    std::vector<std::pair<std::string, glm::vec3>> spots{{"start", run.position()}};
    const long platforms = run.levelFile().getInt("platforms", "total", 0);
    for (long i = 0; i < platforms; ++i) {
        const Platform& p = level.platforms[static_cast<size_t>(i)];
        spots.emplace_back("platform" + std::to_string(i), p.position + glm::vec3(0, p.halfExtents.y + 1.0f, 0));
    }
    for (const auto& [name, spot] : spots) {
        SCOPED_TRACE(name + " " + text(spot));
        EXPECT_GE(screens.clearance(restingCamera(spot, 1)), kScreenMargin);
        EXPECT_GE(screens.clearance(restingCamera(spot, -1)), kScreenMargin);
        EXPECT_EQ(hidingBox(level, restingCamera(spot, 1), spot), -1) << "a level box hides the character";
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, ShippedLevelCamera, testing::Range(0, kShippedLevels),
                         [](const testing::TestParamInfo<int>& info) { return "level" + std::to_string(info.param); });

}  // namespace
