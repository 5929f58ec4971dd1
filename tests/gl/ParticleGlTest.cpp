#include <epoxy/gl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "render/GeometryGpu.h"
#include "render/ParticleBursts.h"
#include "render/TextureLoader.h"
#include "sim/level/Geometry.h"
#include "sim/view/ParticleSeed.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

using ParticleGl = GlTest;

namespace {

// Counts the dispatches, buffer maps and draws the game issues by swapping
// libepoxy's function pointers for counting ones while it lives. Each function
// must have been called once before (epoxy resolves it on its first call).
struct GlCallCounter {
    static inline int dispatches = 0, maps = 0, draws = 0;
    static inline decltype(epoxy_glDispatchCompute) dispatch = nullptr;
    static inline decltype(epoxy_glMapBufferRange) map = nullptr;
    static inline decltype(epoxy_glDrawArrays) drawArrays = nullptr;
    GlCallCounter()
    {
        dispatches = maps = draws = 0;
        dispatch = std::exchange(epoxy_glDispatchCompute, [](GLuint x, GLuint y, GLuint z) { ++dispatches; dispatch(x, y, z); });
        map = std::exchange(epoxy_glMapBufferRange, [](GLenum t, GLintptr o, GLsizeiptr n, GLbitfield a) { ++maps; return map(t, o, n, a); });
        drawArrays = std::exchange(epoxy_glDrawArrays, [](GLenum m, GLint f, GLsizei n) { ++draws; drawArrays(m, f, n); });
    }
    ~GlCallCounter()
    {
        epoxy_glDispatchCompute = dispatch;
        epoxy_glMapBufferRange = map;
        epoxy_glDrawArrays = drawArrays;
    }
};

}  // namespace

// One jump's burst with a white sprite and blending as in the game, then a
// second jump's while the first is dead.
TEST_F(ParticleGl, EachSeedBecomesOneBurstThatMovesLightsPixelsAndDiesAfterItsLifetime)
{
    std::string log;
    Shader program = gameShader("particleGPU", &log);
    ASSERT_EQ(log, "");
    const GlTexture sprite = solidTexture("\xff\xff\xff\xff");
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    OffscreenTarget target(320, 180);
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 320.0f / 180.0f, 0.1f, 1000.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f, -2.0f, 12.0f), glm::vec3(0.0f, -2.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    std::vector<ParticleSeed> seeds = {ParticleSeed::spawn({0.0f, 0.0f, 0.0f})};
    ParticleBursts bursts(&program, sprite);
    auto step = [&] { bursts.update(seeds, 1.0f / 60.0f, projection, view); };

    step();
    step();
    ASSERT_EQ(bursts.systems.size(), 1u);
    const ParticleSystem& first = bursts.systems[0];
    ASSERT_EQ(first.count, 100u) << "young particles all survive";
    EXPECT_GT(target.lit(0, 0, 320, 180), 100) << "a live burst lights pixels";
    std::vector<glm::vec4> moved(100);
    glGetNamedBufferSubData(first.positionBuffer[first.current ? 1 : 0], 0, 100 * sizeof(glm::vec4), moved.data());
    for (const glm::vec4& p : moved) EXPECT_EQ(std::count(seeds[0].positions.begin(), seeds[0].positions.end(), p), 0);

    // The first step only reads the spawn count back; every later one ages by 1/60 s.
    int frame = 2;
    for (unsigned last = first.count; first.count > 0 && frame < 150; ++frame, last = first.count) {
        step();
        ASSERT_LE(first.count, last) << "frame " << frame;
    }
    EXPECT_NEAR((frame - 1) / 60.0f, 1.25f, 0.05f) << "particles live 1.25 s";
    target.clear();
    {
        GlCallCounter calls;
        step();
        EXPECT_EQ(calls.dispatches + calls.maps + calls.draws, 0) << "a dead burst costs the frame nothing";
    }
    EXPECT_EQ(target.lit(0, 0, 320, 180), 0);

    seeds.push_back(ParticleSeed::spawn({0.0f, 0.0f, 0.0f}));
    for (int k = 0; k < 3; ++k) step();
    ASSERT_EQ(bursts.systems.size(), 2u);
    EXPECT_EQ(bursts.systems[0].count, 0u) << "a new burst does not revive the old";
    EXPECT_EQ(bursts.systems[1].count, 100u);
    GlCallCounter calls;
    step();
    EXPECT_TRUE(calls.dispatches == 1 && calls.maps == 1 && calls.draws == 1) << "only the live burst is stepped";
}

// A burst with the game's sprite in front of a bright screen drawn after it,
// as the goal pad and the screens are: no pixel comes out darker than without
// the burst.
TEST_F(ParticleGl, ABurstLeavesNoHaloInAScreenDrawnAfterIt)
{
    Shader program = gameShader("particleGPU"), model = gameShader("model");
    GlTexture sprite;
    ASSERT_EQ(captureStdout([&] { sprite = loadTexture(std::string(VAULTRISE_SOURCE_DIR) + "/assets/textures/particle.png", std::cout); }), "");
    const GlTexture white = solidTexture("\xff\xff\xff\xff");
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    OffscreenTarget target(320, 180);
    const glm::mat4 projection = glm::perspective(glm::radians(45.0f), 320.0f / 180.0f, 0.1f, 1000.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(0.0f, -2.0f, 12.0f), glm::vec3(0.0f, -2.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    const Geometry screenBox(glm::vec3(0.0f, -2.0f, -4.0f), glm::vec3(6.0f, 4.0f, 0.05f));
    const GpuBox screen(glm::vec3(6.0f, 4.0f, 0.05f));
    auto picture = [&](std::vector<ParticleSeed> seeds) {
        ParticleBursts bursts(&program, sprite);
        for (int frame = 0; frame < 30; ++frame) {  // the sparks spread and fade
            target.clear();
            bursts.update(seeds, 1.0f / 60.0f, projection, view);
        }
        model.use();
        model.setMat4("projection", projection);
        model.setMat4("view", view);
        screen.draw(model, screenBox.model, white);
        std::vector<unsigned char> pixels(320 * 180 * 4);
        glReadPixels(0, 0, 320, 180, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> plain = picture({}), burst = picture({ParticleSeed::spawn({0.0f, 0.0f, 0.0f})});
    int darker = 0, brighter = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        darker += burst[i] < plain[i];
        brighter += burst[i] > plain[i];
    }
    EXPECT_EQ(darker, 0);
    EXPECT_GT(brighter, 100) << "the sparks outside the screen are drawn";
}
