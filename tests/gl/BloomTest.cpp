#include <epoxy/gl.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "render/Bloom.h"
#include "support/GlTest.h"

namespace {

// The window's tone curve in bytes: the colour through a filmic shoulder
// (1 - exp(-x)) times a toe x^3 / (x^3 + 0.36^3), then gamma 2.2.
float toneMapped(float x)
{
    const float toe = x * x * x / (x * x * x + 0.36f * 0.36f * 0.36f);
    return 255.0f * std::pow((1.0f - std::exp(-x)) * toe, 1.0f / 2.2f);
}

unsigned char windowByte(int x, int y, int channel = 0)
{
    unsigned char pixel[4] = {};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return pixel[channel];
}

}  // namespace

using BloomTest = GlTest;

// The targets and programs as the game builds them, with blending and depth
// testing on as in the game. A frame fills the scene target's colour buffer 0
// with `scene` and 1 (the bright part) with `bright` (null: as beginFrame left
// them) and `spark` in its texel (160, 90), then ends in the 320 × 180 window.
TEST_F(BloomTest, WindowShowsTheToneMappedSceneAndTheBrightPartBlurredFivePassesEachWay)
{
    const Shader blur = gameShader("blur"), bloomFinal = gameShader("bloom_final");
    Bloom bloom, reduced;
    ASSERT_EQ(captureStdout([&] { bloom.createTargets(320, 180, 1.0f, std::cout); }), "") << "the scene target is complete";
    reduced.createTargets(320, 180, 0.5f, std::cout);
    reduced.blurPasses = 4;
    ASSERT_EQ(reduced.blurWidth, 160);
    Bloom::setupSamplers(gameShader("bloom"), blur, bloomFinal);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    auto frame = [&](Bloom& b, const float* scene, const float* bright, const float* spark = nullptr) {
        b.beginFrame();
        if (scene) glClearBufferfv(GL_COLOR, 0, scene);
        if (bright) glClearBufferfv(GL_COLOR, 1, bright);
        if (spark) glClearTexSubImage(b.colorBuffers[1], 0, 160, 90, 0, 1, 1, 1, GL_RGBA, GL_FLOAT, spark);
        b.blurAndComposite(blur, bloomFinal);
    };

    // A uniform bright part passes the normalised blur unchanged, the reduced
    // one (half size, four passes) over the whole window too; beginFrame
    // clears both buffers to 0.1.
    struct Case { const float* scene; const float* bright; float sum[3]; };
    const float scene[4] = {0.6f, 0.25f, 1.5f, 1.0f}, black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const float dark[4] = {0.2f, 0.1f, 0.05f, 1.0f}, bright[4] = {0.5f, 1.0f, 0.0f, 1.0f};
    for (Bloom* b : {&bloom, &reduced})
        for (const Case& c : {Case{scene, black, {0.6f, 0.25f, 1.5f}}, Case{dark, bright, {0.7f, 1.1f, 0.05f}},
                              Case{nullptr, nullptr, {0.2f, 0.2f, 0.2f}}}) {
            frame(*b, c.scene, c.bright);
            for (auto [x, y] : {std::pair{160, 90}, std::pair{3, 4}, std::pair{317, 176}})
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(windowByte(x, y, k), toneMapped(c.sum[k]), 1.5f) << k << " at " << x << "," << y;
        }

    const float spark[4] = {100.0f, 50.0f, 0.0f, 1.0f};
    frame(bloom, black, black, spark);
    EXPECT_TRUE(windowByte(160, 90) > 200 && windowByte(10, 10) == 0) << "the spark glows; the far corner stays plain";
    std::vector<float> blurred(320 * 180 * 4);
    glGetTextureImage(bloom.pingpongColorbuffers[0], 0, GL_RGBA, GL_FLOAT, static_cast<GLsizei>(blurred.size() * 4), blurred.data());
    // p: the 1-D response of five passes of the 9-tap kernel to a unit impulse at 24.
    const double w[5] = {0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216};
    std::vector<double> p(49, 0.0), next(49, 0.0);
    p[24] = 1.0;
    for (int pass = 0; pass < 5; ++pass, p = next)
        for (int i = 4; i < 45; ++i) {
            next[i] = 0.0;
            for (int k = -4; k <= 4; ++k) next[i] += p[i + k] * w[std::abs(k)];
        }
    for (auto [dx, dy] : {std::pair{0, 0}, {3, 5}, {12, -11}, {-7, 0}, {20, 0}, {0, -20}, {-20, 20}}) {
        const double expected = 100.0 * p[24 + dx] * p[24 + dy];
        EXPECT_NEAR(blurred[((90 + dy) * 320 + 160 + dx) * 4], expected, expected * 0.01 + 1e-5) << dx << "," << dy;
    }
}

// The blur the game first shipped: nine fetches per pass, one per weight.
constexpr const char* kNineTapBlur = R"(#version 460 core
in vec2 TexCoords;
uniform sampler2D image;
uniform int horizontal;
out vec4 FragColor;
const float kWeights[5] = float[](0.227027, 0.1945946, 0.1216216, 0.054054, 0.016216);
void main()
{
    vec2 step = (horizontal != 0 ? vec2(1.0, 0.0) : vec2(0.0, 1.0)) / vec2(textureSize(image, 0));
    vec3 result = texture(image, TexCoords).rgb * kWeights[0];
    for (int i = 1; i < 5; ++i)
        result += (texture(image, TexCoords + step * float(i)).rgb + texture(image, TexCoords - step * float(i)).rgb) * kWeights[i];
    FragColor = vec4(result, 1.0);
}
)";

// A test image of sparks, edges and noise up to 8.0 in the bright part goes
// through the game's ten passes with the five-fetch blur and with the nine-tap one.
TEST_F(BloomTest, FiveFetchBlurGivesTheNineTapPicture)
{
    ScratchDir dir;
    const Shader nineTap(kShaderDir + "blur.vs", dir.write("blur9.fs", kNineTapBlur), std::cout);
    const Shader blur = gameShader("blur"), bloomFinal = gameShader("bloom_final");
    Bloom bloom;
    bloom.createTargets(320, 180, 1.0f, std::cout);
    Bloom::setupSamplers(gameShader("bloom"), blur, bloomFinal);
    std::vector<float> image(320 * 180 * 4, 1.0f);
    unsigned seed = 7;
    for (size_t i = 0; i < image.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        const int x = static_cast<int>(i / 4 % 320), y = static_cast<int>(i / 4 / 320);
        if (i % 4 != 3) image[i] = (seed >> 16) % 1000 < 5 ? 8.0f : (x > 200 && y < 60) ? 2.0f : ((seed >> 8) % 256) / 512.0f;
    }
    auto blurred = [&](const Shader& program) {
        glTextureSubImage2D(bloom.colorBuffers[1], 0, 0, 0, 320, 180, GL_RGBA, GL_FLOAT, image.data());
        bloom.blurBrightPart(program);
        std::vector<float> out(image.size());
        glGetTextureImage(bloom.blurResultTexture(), 0, GL_RGBA, GL_FLOAT, static_cast<GLsizei>(out.size() * 4), out.data());
        return out;
    };
    const std::vector<float> reference = blurred(nineTap), cheap = blurred(blur);
    double worst = 0.0;
    for (size_t i = 0; i < image.size(); ++i) worst = std::max(worst, std::abs(double(cheap[i]) - reference[i]) / (reference[i] + 0.05));
    // Half floats and 8-bit filter weights leave about 0.4 % here; a pair
    // fetched half a texel off is about 5 % away.
    EXPECT_LT(worst, 0.01) << "within 1 % (plus 0.0005 absolute) of the nine-tap picture everywhere";
}
