#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <memory>

#include <glm/gtc/matrix_transform.hpp>

#include "render/HUD.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

namespace {

const std::string kAssets = std::string(VAULTRISE_SOURCE_DIR) + "/assets";

class HudGl : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        fontShader = std::make_unique<Shader>(gameShader("font"));
    }
    // A HUD with the game's font for a window of the given size.
    std::unique_ptr<HUD> makeHud(glm::vec2 size, const std::string& assets = kAssets, std::string* log = nullptr)
    {
        std::unique_ptr<HUD> hud;
        const std::string out = captureStdout([&] { hud = std::make_unique<HUD>(*fontShader, size, assets); });
        if (log) *log = out;
        return hud;
    }
    std::unique_ptr<Shader> fontShader;
};

}  // namespace

TEST_F(HudGl, MissingFontReportsAndDrawsNothing)
{
    std::string output;
    const std::unique_ptr<HUD> hud = makeHud({960.0f, 540.0f}, "/nonexistent/assets", &output);
    EXPECT_EQ(output, "Failed to load font for FreeType Library\n");
    EXPECT_TRUE(hud->glyphs.empty());
    EXPECT_FALSE(hud->hasFont());
    // The rest of the set-up still happens: blending, byte-aligned uploads, the quad.
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 1);
    EXPECT_NE(hud->vao, 0u);

    OffscreenTarget target(960, 540);
    ASSERT_TRUE(target.complete());
    hud->update("4 [Nowhere]", 321.0f, -12.0f);
    hud->render();
    hud->playing = false;
    hud->render();
    glFinish();
    EXPECT_EQ(target.litIn(target.read(), 0, 0, 960, 540), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(HudGl, BuildsAllAsciiGlyphsAsRedTexturesAndOneQuadBuffer)
{
    std::string output;
    const std::unique_ptr<HUD> hud = makeHud({960.0f, 540.0f}, kAssets, &output);
    EXPECT_EQ(output, "");
    ASSERT_EQ(hud->glyphs.size(), 128u);
    EXPECT_EQ(hud->glyphs.begin()->first, '\0');
    EXPECT_EQ(hud->glyphs.rbegin()->first, '\x7f');

    const Glyph& a = hud->glyphs.at('A');
    EXPECT_NE(a.textureId, 0u);
    EXPECT_GT(a.size.x, 10);
    EXPECT_GT(a.size.y, 20);  // 48 px font: capitals are some 35 px tall
    EXPECT_LT(a.size.y, 48);
    EXPECT_GT(a.advance, 0u);
    EXPECT_EQ(a.advance % 64, 0u) << "hinted advances are whole pixels";
    EXPECT_EQ(hud->glyphs.at(' ').size, glm::ivec2(0, 0));
    EXPECT_GT(hud->glyphs.at(' ').advance, 0u);

    glBindTexture(GL_TEXTURE_2D, a.textureId);
    GLint width = 0, redBits = 0, greenBits = 0, bytes = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_RED_SIZE, &redBits);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_GREEN_SIZE, &greenBits);
    EXPECT_EQ(width, a.size.x);
    EXPECT_EQ(redBits, 8);
    EXPECT_EQ(greenBits, 0);
    glBindBuffer(GL_ARRAY_BUFFER, hud->vbo);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &bytes);
    EXPECT_EQ(bytes, 96) << "one quad: six vertices of four floats";
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

TEST_F(HudGl, TextDrawsWhitePixelsInsideTheGlyphBoxesOnly)
{
    const std::unique_ptr<HUD> hud = makeHud({400.0f, 200.0f});
    glDisable(GL_DEPTH_TEST);

    OffscreenTarget target(400, 200);
    ASSERT_TRUE(target.complete());
    fontShader->use();
    fontShader->setMat4("projection", glm::ortho(0.0f, 400.0f, 0.0f, 200.0f, -1.0f, 1.0f));
    // "H" then a byte above 127 (empty, no advance) then "H" again.
    const std::string text = std::string("H") + static_cast<char>(0xE9) + "H";
    hud->renderText(*fontShader, text, glm::vec3(1.0f), glm::vec3(50.0f, 80.0f, 1.0f));
    glFinish();
    const std::vector<unsigned char> pixels = target.read();

    const Glyph& h = hud->glyphs.at('H');
    const int advance = static_cast<int>(h.advance >> 6);
    const int x0 = 50 + h.bearing.x;
    const int y0 = 80 - (h.size.y - h.bearing.y);
    const int x1 = x0 + h.size.x;
    const int y1 = y0 + h.size.y;
    const int inFirst = target.litIn(pixels, x0, y0, x1, y1);
    const int inSecond = target.litIn(pixels, x0 + advance, y0, x1 + advance, y1);
    EXPECT_GT(inFirst, h.size.y * 2) << "the two uprights of H";
    EXPECT_EQ(inSecond, inFirst) << "the high byte took no room: the second H is one advance on";
    EXPECT_EQ(target.litIn(pixels, 0, 0, 400, 200), inFirst + inSecond) << "nothing lit outside the two glyphs";

    // Full coverage gives pure white.
    bool sawWhite = false;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        if (pixels[i] == 255) {
            sawWhite = true;
            EXPECT_EQ(pixels[i + 1], 255);
            EXPECT_EQ(pixels[i + 2], 255);
            break;
        }
    }
    EXPECT_TRUE(sawWhite);
}

TEST_F(HudGl, RenderShowsTheRightColumnOnlyWhilePlaying)
{
    const std::unique_ptr<HUD> hud = makeHud({960.0f, 540.0f});
    glDisable(GL_DEPTH_TEST);
    OffscreenTarget target(960, 540);
    ASSERT_TRUE(target.complete());

    // Right column starts at 0.95 × 960 − 180 = 732; the void rows are at
    // 0.85 H = 459 (caption) and 0.80 H = 432 (value).
    const int right = 732;
    hud->update("1 [Test]", 250.0f, 30.0f);
    hud->render();
    glFinish();
    std::vector<unsigned char> pixels = target.read();
    EXPECT_GT(target.litIn(pixels, right, 425, 960, 470), 50) << "void level drawn while playing";
    EXPECT_EQ(target.litIn(pixels, 0, 0, right - 60, 440), 0) << "nothing low on the left while playing";
    EXPECT_GT(target.litIn(pixels, 16, 500, 200, 540), 20) << "LEVEL caption at 0.05 W − 32 = 16";
    EXPECT_EQ(target.litIn(pixels, 0, 500, 16, 540), 0) << "no caption pixel left of its column";

    target.clear();
    hud->playing = false;
    hud->won = true;
    hud->render();
    glFinish();
    pixels = target.read();
    EXPECT_EQ(target.litIn(pixels, right, 425, 960, 470), 0) << "only GAME OVER and the win line after a win";
    EXPECT_GT(target.litIn(pixels, 16, 470, 960, 540), 200);
}
