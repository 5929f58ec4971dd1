#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <cmath>
#include <vector>

#include "render/Bloom.h"
#include "support/GlTest.h"

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 180;

// The window's tone curve: the colour through a filmic shoulder (1 - exp(-x))
// times a toe x^3 / (x^3 + 0.36^3), then gamma 2.2.
float toneMapped(float x)
{
    const float toe = x * x * x / (x * x * x + 0.36f * 0.36f * 0.36f);
    return 255.0f * std::pow((1.0f - std::exp(-x)) * toe, 1.0f / 2.2f);
}

// The three bloom programs and the targets as the game builds them, with
// blending and depth testing on as in the game.
struct BloomFixture : GlTest {
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GlTest::SetUp());
        bloomProgram = gameShader("bloom");
        blurProgram = gameShader("blur");
        finalProgram = gameShader("bloom_final");
        // Silence means the scene target is complete ("Framebuffer not complete!" otherwise).
        ASSERT_EQ(captureStdout([&] { bloom.createTargets(kWidth, kHeight); }), "");
        Bloom::setupSamplers(bloomProgram, blurProgram, finalProgram);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
    }
    // Colour buffer 0 of the scene target gets `scene`, 1 gets `bright`; then the frame ends.
    void frame(const float scene[4], const float bright[4])
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
    Shader bloomProgram, blurProgram, finalProgram;
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

TEST_F(BloomFixture, TargetsAreComplete)
{
    for (GLuint framebuffer : {bloom.hdrFramebuffer.get(), bloom.pingpongFramebuffers[0].get(), bloom.pingpongFramebuffers[1].get()})
        EXPECT_EQ(glCheckNamedFramebufferStatus(framebuffer, GL_FRAMEBUFFER), static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
}

TEST_F(BloomFixture, WindowShowsTheToneMappedSumOfSceneAndBlurredBrightPart)
{
    struct Case { float scene[4]; float bright[4]; };
    // A uniform bright part passes the normalised blur unchanged.
    for (const Case& c : {Case{{0.6f, 0.25f, 1.5f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}},
                          Case{{0.2f, 0.1f, 0.05f, 1.0f}, {0.5f, 1.0f, 0.0f, 1.0f}}}) {
        frame(c.scene, c.bright);
        bloom.blurAndComposite(blurProgram, finalProgram);
        for (auto [x, y] : {std::pair{160, 90}, std::pair{3, 4}, std::pair{317, 176}}) {
            const std::vector<unsigned char> pixel = readWindow(x, y);
            for (int k = 0; k < 3; ++k) EXPECT_NEAR(pixel[k], toneMapped(c.scene[k] + c.bright[k]), 1.5f) << k << " at " << x << "," << y;
        }
    }
    // Where nothing is drawn both buffers hold beginFrame's clear colour 0.1.
    bloom.beginFrame();
    bloom.blurAndComposite(blurProgram, finalProgram);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(readWindow(160, 90)[k], toneMapped(0.2f), 1.5f) << k;
}

TEST_F(BloomFixture, TenPassesSpreadASparkByTheSeparableKernelIntoPingpongZero)
{
    const float black[4] = {0.0f, 0.0f, 0.0f, 1.0f}, spark[4] = {100.0f, 50.0f, 0.0f, 1.0f};
    frame(black, black);
    glEnable(GL_SCISSOR_TEST);  // one bright texel at (160, 90)
    glScissor(160, 90, 1, 1);
    glClearBufferfv(GL_COLOR, 1, spark);
    glDisable(GL_SCISSOR_TEST);
    bloom.blurAndComposite(blurProgram, finalProgram);

    // Five passes each way: the spark reaches 20 texels along x and y and no further.
    std::vector<float> result(kWidth * kHeight * 4);
    glGetTextureImage(bloom.pingpongColorbuffers[0], 0, GL_RGBA, GL_FLOAT, static_cast<GLsizei>(result.size() * 4), result.data());
    const std::vector<double> profile = blurProfile(5, 24);
    auto red = [&](int dx, int dy) { return result[((90 + dy) * kWidth + 160 + dx) * 4]; };
    for (int dx : {0, 3, 12, 20, -7, -20}) {
        for (int dy : {0, 5, -11, 20}) {
            const double expected = 100.0 * profile[24 + dx] * profile[24 + dy];
            EXPECT_NEAR(red(dx, dy), expected, expected * 0.01 + 1e-5) << dx << "," << dy;
        }
    }
    EXPECT_LT(red(22, 0) + red(0, 22) + red(21, 21), 1e-4f);
    EXPECT_GT(readWindow(160, 90)[0], 200) << "the spark glows in the window";
    EXPECT_EQ(readWindow(10, 10)[0], 0) << "the far corner stays the plain scene";
}
