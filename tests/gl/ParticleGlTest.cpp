#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "render/ParticleBursts.h"
#include "render/ParticleSystem.h"
#include "sim/view/ParticleSeed.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

namespace {

std::vector<glm::vec4> readBuffer(unsigned buffer, unsigned count)
{
    std::vector<glm::vec4> data(count);
    glGetNamedBufferSubData(buffer, 0, static_cast<GLsizeiptr>(count * sizeof(glm::vec4)), data.data());
    return data;
}

// The particle program, a white sprite and a camera looking at the origin,
// with blending on as in the game; pixels land in `target`.
struct ParticleGl : GlTest {
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(GlTest::SetUp());
        std::string log;
        program = particleShader(&log);
        ASSERT_EQ(log, "") << "the particle program must build";
        const std::vector<unsigned char> white(8 * 8 * 4, 255);
        glTextureStorage2D(sprite, 1, GL_RGBA8, 8, 8);
        glTextureSubImage2D(sprite, 0, 0, 0, 8, 8, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    void step(ParticleSystem& system) { system.update(1.0f / 60.0f, projection, view); }

    Shader program;
    GlTexture sprite = GlTexture::create();
    OffscreenTarget target{320, 180};
    glm::mat4 projection = glm::perspective(glm::radians(45.0f), 320.0f / 180.0f, 0.1f, 1000.0f);
    glm::mat4 view = glm::lookAt(glm::vec3(0.0f, -2.0f, 12.0f), glm::vec3(0.0f, -2.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
};

}  // namespace

TEST_F(ParticleGl, InitUploadsTheSeedIntoBothPairsAndAFullCounter)
{
    std::srand(1);
    const ParticleSeed seed = ParticleSeed::spawn({1.0f, 2.0f, 3.0f});
    ParticleSystem system;
    system.init(seed, &program, sprite);
    EXPECT_EQ(system.count, 100u);
    for (int k = 0; k < 2; ++k) {
        EXPECT_EQ(readBuffer(system.positionBuffer[k], 100), seed.positions) << k;
        EXPECT_EQ(readBuffer(system.velocityBuffer[k], 100), seed.velocities) << k;
    }
    unsigned counter = 0;
    glGetNamedBufferSubData(system.counterBuffer, 0, sizeof(counter), &counter);
    EXPECT_EQ(counter, 100u) << "the first step cannot claim a slot";
}

TEST_F(ParticleGl, ABurstMovesAndLightsPixelsThenDiesOutAfterItsLifetime)
{
    ParticleSystem system;
    system.init(glm::vec3(0.0f), &program, sprite);
    step(system);
    step(system);
    ASSERT_EQ(system.count, 100u) << "young particles all survive";
    EXPECT_GT(target.lit(0, 0, 320, 180), 100) << "a live burst lights pixels";
    for (const glm::vec4& p : readBuffer(system.positionBuffer[system.current ? 1 : 0], 100))
        EXPECT_EQ(std::count(system.positions.begin(), system.positions.end(), p), 0) << "every particle has moved";

    // The first step only reads the spawn count; every later one ages by 1/60 s.
    int frame = 2;
    for (unsigned last = system.count; system.count > 0 && frame < 150; ++frame, last = system.count) {
        step(system);
        ASSERT_LE(system.count, last) << "frame " << frame;
    }
    EXPECT_NEAR((frame - 1) / 60.0f, 1.25f, 0.05f) << "particles live 1.25 s";
    target.clear();
    step(system);
    EXPECT_EQ(system.count, 0u);
    EXPECT_EQ(target.lit(0, 0, 320, 180), 0) << "a dead burst still steps but draws nothing";
}

TEST_F(ParticleGl, BurstsAdoptEachNewSeedOnceAndKeepDeadOnes)
{
    std::vector<ParticleSeed> seeds = {ParticleSeed::spawn({0.0f, 0.0f, 0.0f})};
    ParticleBursts bursts(&program, sprite);
    for (int frame = 0; frame < 120; ++frame) bursts.update(seeds, 1.0f / 60.0f, projection, view);
    ASSERT_EQ(bursts.systems.size(), 1u);
    EXPECT_EQ(bursts.systems[0].count, 0u);

    // A second jump: a new system for the new seed only; the old one stays first and dead.
    const GLuint firstCounter = bursts.systems[0].counterBuffer;
    seeds.push_back(ParticleSeed::spawn({0.0f, 0.0f, 0.0f}));
    for (int frame = 0; frame < 5; ++frame) bursts.update(seeds, 1.0f / 60.0f, projection, view);
    ASSERT_EQ(bursts.systems.size(), 2u);
    EXPECT_EQ(bursts.systems[0].counterBuffer.get(), firstCounter);
    EXPECT_EQ(bursts.systems[0].count, 0u) << "a new burst does not revive the old";
    EXPECT_EQ(bursts.systems[1].count, 100u);
    EXPECT_EQ(bursts.systems[1].positions, seeds[1].positions);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
