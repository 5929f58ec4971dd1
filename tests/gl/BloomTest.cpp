#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/Bloom.h"
#include "support/GlTest.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;

// The window's tone curve: the exposed colour through a filmic shoulder
// (1 - exp(-x)) times a toe x^3 / (x^3 + 0.36^3), then gamma 2.2.
float toneMapped(float hdr, float exposure = 1.0f)
{
    const float x = hdr * exposure;
    const float toe = x * x * x / (x * x * x + 0.36f * 0.36f * 0.36f);
    return std::pow((1.0f - std::exp(-x)) * toe, 1.0f / 2.2f);
}

// Builds the three bloom programs and the targets the way the game does, with
// the game's global state (blending and depth testing on).
struct BloomFixture : ::testing::Test {
    void SetUp() override
    {
        ASSERT_TRUE(window.ok());
        std::string output = captureStdout([&] {
            bloomProgram = Shader(kShaderDir + "bloom.vs", kShaderDir + "bloom.fs");
            blurProgram = Shader(kShaderDir + "blur.vs", kShaderDir + "blur.fs");
            finalProgram = Shader(kShaderDir + "bloom_final.vs", kShaderDir + "bloom_final.fs");
            bloom.createTargets(kWidth, kHeight);
            Bloom::setupSamplers(bloomProgram, blurProgram, finalProgram);
        });
        ASSERT_EQ(output, "");
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
    }

    // Fills the scene target: colour buffer 0 with `scene`, 1 with `bright`.
    void fillSceneTarget(const float scene[4], const float bright[4])
    {
        bloom.beginFrame();
        glClearBufferfv(GL_COLOR, 0, scene);
        glClearBufferfv(GL_COLOR, 1, bright);
    }

    std::vector<unsigned char> readWindow(int x, int y)
    {
        std::vector<unsigned char> pixel(4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadBuffer(GL_BACK);
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel.data());
        return pixel;
    }

    std::vector<float> readTexture(unsigned texture)
    {
        std::vector<float> texels(kWidth * kHeight * 4);
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_FLOAT, texels.data());
        return texels;
    }

    GlTestWindow window{kWidth, kHeight};
    Shader bloomProgram;
    Shader blurProgram;
    Shader finalProgram;
    Bloom bloom;
};

// The 1-D response of `passes` passes of the blur kernel to a unit impulse.
std::vector<double> blurProfile(int passes, int radius)
{
    const double weights[5] = {0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216};
    std::vector<double> profile(2 * radius + 1, 0.0);
    profile[radius] = 1.0;
    for (int pass = 0; pass < passes; ++pass) {
        std::vector<double> next(profile.size(), 0.0);
        for (int i = 0; i < static_cast<int>(profile.size()); ++i)
            for (int k = -4; k <= 4; ++k)
                if (i + k >= 0 && i + k < static_cast<int>(profile.size())) next[i] += profile[i + k] * weights[std::abs(k)];
        profile = next;
    }
    return profile;
}

}  // namespace

TEST_F(BloomFixture, TargetsAreCompleteFloatBuffersWithTwoDrawBuffers)
{
    auto attachment = [](GLenum point, GLenum what) {
        int value = 0;
        glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, point, what, &value);
        return static_cast<unsigned>(value);
    };
    glBindFramebuffer(GL_FRAMEBUFFER, bloom.hdrFramebuffer);
    EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
    int drawBuffers[2] = {};
    glGetIntegerv(GL_DRAW_BUFFER0, &drawBuffers[0]);
    glGetIntegerv(GL_DRAW_BUFFER1, &drawBuffers[1]);
    EXPECT_EQ(drawBuffers[0], GL_COLOR_ATTACHMENT0);
    EXPECT_EQ(drawBuffers[1], GL_COLOR_ATTACHMENT1);
    EXPECT_EQ(attachment(GL_DEPTH_ATTACHMENT, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE), unsigned(GL_RENDERBUFFER));
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(attachment(GL_COLOR_ATTACHMENT0 + i, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME), bloom.colorBuffers[i]);
    for (int i = 0; i < 2; ++i) {
        glBindFramebuffer(GL_FRAMEBUFFER, bloom.pingpongFramebuffers[i]);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE)) << i;
        EXPECT_EQ(attachment(GL_COLOR_ATTACHMENT0, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME), bloom.pingpongColorbuffers[i]);
    }
    for (unsigned texture : {bloom.colorBuffers[0], bloom.colorBuffers[1], bloom.pingpongColorbuffers[0], bloom.pingpongColorbuffers[1]}) {
        glBindTexture(GL_TEXTURE_2D, texture);
        int format = 0, width = 0, height = 0;
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        EXPECT_EQ(format, GL_RGBA16F);
        EXPECT_EQ(glm::ivec2(width, height), glm::ivec2(kWidth, kHeight));
    }
}

TEST_F(BloomFixture, SamplersAreBoundToFixedUnits)
{
    auto sampler = [](const Shader& shader, const char* name) {
        int unit = -1;
        glGetUniformiv(shader.id, glGetUniformLocation(shader.id, name), &unit);
        return unit;
    };
    EXPECT_EQ(sampler(bloomProgram, "diffuseTexture"), 0);
    EXPECT_EQ(sampler(blurProgram, "image"), 0);
    EXPECT_EQ(sampler(finalProgram, "scene"), 0);
    EXPECT_EQ(sampler(finalProgram, "bloomBlur"), 1);
}

TEST_F(BloomFixture, WithoutABrightPartTheWindowShowsTheToneMappedScene)
{
    const float scene[4] = {0.6f, 0.25f, 1.5f, 1.0f};
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    fillSceneTarget(scene, black);
    bloom.blurAndComposite(blurProgram, finalProgram);

    for (auto [x, y] : {std::pair{160, 90}, std::pair{3, 4}, std::pair{317, 176}}) {
        std::vector<unsigned char> pixel = readWindow(x, y);
        for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], 255.0f * toneMapped(scene[c]), 1.5f) << "channel " << c << " at " << x << "," << y;
    }

    // The exposure scales the scene before the curve: compose again, with
    // the same textures still bound, at exposure 2.
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    finalProgram.use();
    finalProgram.setFloat("exposure", 2.0f);
    bloom.drawScreenQuad();
    std::vector<unsigned char> pixel = readWindow(160, 90);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], 255.0f * toneMapped(scene[c], 2.0f), 1.5f) << "channel " << c << " at exposure 2";
}

TEST_F(BloomFixture, TheEmptyVoidStaysDarkWhileBrightNeonStaysBright)
{
    // Where nothing is drawn both scene buffers hold the clear colour 0.1.
    bloom.beginFrame();
    bloom.blurAndComposite(blurProgram, finalProgram);
    std::vector<unsigned char> empty = readWindow(160, 90);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(empty[c], 255.0f * toneMapped(0.2f), 1.5f) << "channel " << c;
        EXPECT_LT(empty[c], 60) << "channel " << c;
    }

    const float neon[4] = {3.0f, 0.3f, 2.5f, 1.0f};
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    fillSceneTarget(neon, black);
    bloom.blurAndComposite(blurProgram, finalProgram);
    std::vector<unsigned char> glow = readWindow(160, 90);
    EXPECT_GT(glow[0], 240);
    EXPECT_GT(glow[2], 235);
    EXPECT_LT(glow[1], 120);  // the weak channel keeps the hue saturated
}

TEST_F(BloomFixture, BlurredBrightPartIsAddedBeforeToneMapping)
{
    const float scene[4] = {0.2f, 0.1f, 0.05f, 1.0f};
    const float bright[4] = {0.5f, 1.0f, 0.0f, 1.0f};  // uniform: the normalised blur keeps it
    fillSceneTarget(scene, bright);
    bloom.blurAndComposite(blurProgram, finalProgram);

    std::vector<unsigned char> pixel = readWindow(160, 90);
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(pixel[c], 255.0f * toneMapped(scene[c] + bright[c]), 1.5f) << "channel " << c;
}

TEST_F(BloomFixture, TenPassesAlternateFromHorizontalAndEndInPingpongZero)
{
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const float spark[4] = {100.0f, 50.0f, 0.0f, 1.0f};
    fillSceneTarget(black, black);
    // A single bright texel at (160, 90) in the bright part.
    glEnable(GL_SCISSOR_TEST);
    glScissor(160, 90, 1, 1);
    glClearBufferfv(GL_COLOR, 1, spark);
    glDisable(GL_SCISSOR_TEST);

    bloom.blurAndComposite(blurProgram, finalProgram);

    EXPECT_TRUE(bloom.horizontal);
    EXPECT_EQ(bloom.blurResultIndex(), 0);
    EXPECT_EQ(bloom.blurResultTexture(), bloom.pingpongColorbuffers[0]);
    int activeUnit = 0, boundOnOne = 0, boundOnZero = 0, framebuffer = -1;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &activeUnit);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundOnOne);
    glActiveTexture(GL_TEXTURE0);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundOnZero);
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(activeUnit, GL_TEXTURE1);
    EXPECT_EQ(static_cast<unsigned>(boundOnOne), bloom.pingpongColorbuffers[0]);
    EXPECT_EQ(static_cast<unsigned>(boundOnZero), bloom.colorBuffers[0]);
    EXPECT_EQ(framebuffer, 0);

    // Five passes each way: the spark spreads to exactly the separable
    // five-fold kernel, reaching 20 texels along x and along y and no further.
    std::vector<float> result = readTexture(bloom.pingpongColorbuffers[0]);
    std::vector<double> profile = blurProfile(5, 24);
    auto red = [&](int x, int y) { return result[(y * kWidth + x) * 4]; };
    for (int dx : {0, 3, 12, 20, -7, -20}) {
        for (int dy : {0, 5, -11, 20}) {
            double expected = 100.0 * profile[24 + dx] * profile[24 + dy];
            EXPECT_NEAR(red(160 + dx, 90 + dy), expected, expected * 0.01 + 1e-5) << dx << "," << dy;
        }
    }
    EXPECT_LT(red(160 + 22, 90), 1e-4f);
    EXPECT_LT(red(160, 90 + 22), 1e-4f);
    EXPECT_LT(red(160 + 21, 90 + 21), 1e-4f);

    // The spark glows on the window, the far corner stays the plain scene.
    EXPECT_GT(readWindow(160, 90)[0], 200);
    EXPECT_EQ(readWindow(10, 10)[0], 0);
}

TEST_F(BloomFixture, BeginFrameClearsBothSceneBuffersAndDepth)
{
    const float stale[4] = {5.0f, 5.0f, 5.0f, 1.0f};
    fillSceneTarget(stale, stale);
    bloom.beginFrame();
    int framebuffer = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &framebuffer);
    EXPECT_EQ(static_cast<unsigned>(framebuffer), bloom.hdrFramebuffer);
    for (unsigned texture : {bloom.colorBuffers[0], bloom.colorBuffers[1]}) {
        std::vector<float> texels = readTexture(texture);
        EXPECT_NEAR(texels[0], 0.1f, 1e-3f);
        EXPECT_NEAR(texels[(90 * kWidth + 160) * 4 + 2], 0.1f, 1e-3f);
    }
    float depth = 0.0f;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, bloom.hdrFramebuffer);
    glReadPixels(160, 90, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_FLOAT_EQ(depth, 1.0f);
}

TEST_F(BloomFixture, QuadIsBuiltOnFirstDrawAndReused)
{
    EXPECT_EQ(bloom.quadVao, 0u);
    bloom.drawScreenQuad();
    const unsigned first = bloom.quadVao;
    EXPECT_NE(first, 0u);
    bloom.drawScreenQuad();
    EXPECT_EQ(bloom.quadVao, first);
}
