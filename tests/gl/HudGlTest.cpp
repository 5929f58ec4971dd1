#include <epoxy/gl.h>

#include <memory>

#include "render/HUD.h"
#include "sim/view/HudState.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

using HudGl = GlTest;

// The HUD draws the lines of whatever state it is handed, for a 960 × 540
// window; without its font it says so and draws nothing.
TEST_F(HudGl, RenderDrawsTheLinesOfTheStateItIsHandedOrNothingWithoutAFont)
{
    Shader font = gameShader("font");
    std::unique_ptr<HUD> hud;
    auto makeHud = [&](const std::string& assets) {
        return captureStdout([&] { hud = std::make_unique<HUD>(font, glm::vec2(960.0f, 540.0f), assets, std::cout); });
    };
    OffscreenTarget target(960, 540);
    glDisable(GL_DEPTH_TEST);
    HudState state;
    state.update("1 [Test]", 250.0f, 30.0f);
    // Right column from 0.95 × 960 − 180 = 732; void rows at 0.85 H = 459 and 0.80 H = 432.
    const int right = 732;
    ASSERT_EQ(makeHud(std::string(VAULTRISE_SOURCE_DIR) + "/assets"), "");
    hud->render(state.lines(960.0f, 540.0f));
    EXPECT_GT(target.lit(right, 425, 960, 470), 50) << "void level drawn while playing";
    EXPECT_EQ(target.lit(0, 0, right - 60, 440), 0) << "nothing low on the left while playing";
    EXPECT_GT(target.lit(16, 500, 200, 540), 20) << "LEVEL caption at 0.05 W − 32 = 16";
    EXPECT_EQ(target.lit(0, 500, 16, 540), 0) << "no caption pixel left of its column";

    target.clear();
    EXPECT_EQ(makeHud("/nowhere"), "Failed to load font for FreeType Library\n");
    hud->render(state.lines(960.0f, 540.0f));
    EXPECT_EQ(target.lit(0, 0, 960, 540), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
