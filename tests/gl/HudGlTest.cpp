#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <memory>

#include <glm/gtc/matrix_transform.hpp>

#include "render/HUD.h"
#include "sim/view/HudState.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

namespace {

const std::string kAssets = std::string(VAULTRISE_SOURCE_DIR) + "/assets";

struct HudGl : GlTest {
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GlTest::SetUp());
        font = gameShader("font");
    }
    // A HUD for a window of `size`; `log` receives what its creation printed.
    std::unique_ptr<HUD> makeHud(glm::vec2 size, const std::string& assets = kAssets, std::string* log = nullptr)
    {
        std::unique_ptr<HUD> hud;
        const std::string out = captureStdout([&] { hud = std::make_unique<HUD>(font, size, assets); });
        if (log) *log = out;
        glDisable(GL_DEPTH_TEST);
        return hud;
    }
    Shader font;
    HudState state;
};

}  // namespace

TEST_F(HudGl, MissingFontReportsAndDrawsNothing)
{
    std::string output;
    const std::unique_ptr<HUD> hud = makeHud({960.0f, 540.0f}, "/nonexistent/assets", &output);
    EXPECT_EQ(output, "Failed to load font for FreeType Library\n");
    EXPECT_FALSE(hud->hasFont());
    OffscreenTarget target(960, 540);
    state.update("4 [Nowhere]", 321.0f, -12.0f);
    hud->render(state);
    state.playing = false;
    hud->render(state);
    EXPECT_EQ(target.lit(0, 0, 960, 540), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(HudGl, TextLightsTheGlyphBoxesOnlyAndHighBytesTakeNoRoom)
{
    std::string output;
    const std::unique_ptr<HUD> hud = makeHud({400.0f, 200.0f}, kAssets, &output);
    EXPECT_EQ(output, "");
    ASSERT_EQ(hud->glyphs.size(), 128u);
    OffscreenTarget target(400, 200);
    font.use();
    font.setMat4("projection", glm::ortho(0.0f, 400.0f, 0.0f, 200.0f, -1.0f, 1.0f));
    hud->renderText(font, std::string("H") + static_cast<char>(0xE9) + "H", glm::vec3(1.0f), glm::vec3(50.0f, 80.0f, 1.0f));

    const Glyph& h = hud->glyphs.at('H');
    const int advance = static_cast<int>(h.advance >> 6);
    const int x0 = 50 + h.bearing.x, y0 = 80 - (h.size.y - h.bearing.y), x1 = x0 + h.size.x, y1 = y0 + h.size.y;
    const int inFirst = target.lit(x0, y0, x1, y1);
    EXPECT_GT(inFirst, h.size.y * 2) << "the two uprights of H";
    EXPECT_EQ(target.lit(x0 + advance, y0, x1 + advance, y1), inFirst) << "the second H is one advance on";
    EXPECT_EQ(target.lit(0, 0, 400, 200), 2 * inFirst) << "nothing lit outside the two glyphs";
}

TEST_F(HudGl, RenderShowsTheRightColumnOnlyWhilePlaying)
{
    const std::unique_ptr<HUD> hud = makeHud({960.0f, 540.0f});
    OffscreenTarget target(960, 540);
    // Right column starts at 0.95 × 960 − 180 = 732; the void rows are at
    // 0.85 H = 459 (caption) and 0.80 H = 432 (value).
    const int right = 732;
    state.update("1 [Test]", 250.0f, 30.0f);
    hud->render(state);
    EXPECT_GT(target.lit(right, 425, 960, 470), 50) << "void level drawn while playing";
    EXPECT_EQ(target.lit(0, 0, right - 60, 440), 0) << "nothing low on the left while playing";
    EXPECT_GT(target.lit(16, 500, 200, 540), 20) << "LEVEL caption at 0.05 W − 32 = 16";
    EXPECT_EQ(target.lit(0, 500, 16, 540), 0) << "no caption pixel left of its column";

    target.clear();
    state.playing = false;
    state.won = true;
    hud->render(state);
    EXPECT_EQ(target.lit(right, 425, 960, 470), 0) << "only GAME OVER and the win line after a win";
    EXPECT_GT(target.lit(16, 470, 960, 540), 200);
}
