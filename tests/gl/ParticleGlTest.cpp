#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/trigonometric.hpp>

#include "render/ParticleBursts.h"
#include "sim/view/ParticleSeed.h"
#include "render/ParticleSystem.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

namespace {

std::vector<glm::vec4> readBuffer(unsigned buffer, unsigned count)
{
    std::vector<glm::vec4> data(count);
    glGetNamedBufferSubData(buffer, 0, static_cast<GLsizeiptr>(count * sizeof(glm::vec4)), data.data());
    return data;
}

unsigned readCounter(unsigned buffer)
{
    unsigned value = 0;
    glGetNamedBufferSubData(buffer, 0, sizeof(value), &value);
    return value;
}

class ParticleGl : public GlTest {
protected:
    void SetUp() override
    {
        GlTest::SetUp();
        std::string log;
        program = std::make_unique<Shader>(particleShader(&log));
        ASSERT_EQ(log, "") << "the particle program must build";

        // A small opaque white sprite.
        const std::vector<unsigned char> white(8 * 8 * 4, 255);
        glGenTextures(1, &sprite);
        glBindTexture(GL_TEXTURE_2D, sprite);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, white.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glBindTexture(GL_TEXTURE_2D, 0);

        projection = glm::perspective(glm::radians(45.0f), 320.0f / 180.0f, 0.1f, 1000.0f);
        view = glm::lookAt(glm::vec3(0.0f, -2.0f, 12.0f), glm::vec3(0.0f, -2.0f, 0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    }

    std::unique_ptr<Shader> program;
    unsigned sprite = 0;
    glm::mat4 projection{1.0f};
    glm::mat4 view{1.0f};
};

}  // namespace

TEST_F(ParticleGl, InitUploadsTheSeedIntoBothPairsAndAFullCounter)
{
    std::srand(1);
    const ParticleSeed seed = ParticleSeed::spawn({1.0f, 2.0f, 3.0f});
    ParticleSystem system;
    system.init(seed, program.get(), sprite);

    EXPECT_EQ(system.count, 100u);
    EXPECT_FALSE(system.current);
    EXPECT_EQ(system.positions, seed.positions);
    EXPECT_EQ(readBuffer(system.positionBuffer[0], 100), seed.positions);
    EXPECT_EQ(readBuffer(system.positionBuffer[1], 100), seed.positions);
    EXPECT_EQ(readBuffer(system.velocityBuffer[0], 100), seed.velocities);
    EXPECT_EQ(readBuffer(system.velocityBuffer[1], 100), seed.velocities);
    EXPECT_EQ(readCounter(system.counterBuffer), 100u);
    EXPECT_NE(system.vao[0], system.vao[1]);
}

TEST_F(ParticleGl, StepsNeverCountMoreThanTheCapacityAndTheBurstDiesOut)
{
    OffscreenTarget target(320, 180);
    ASSERT_TRUE(target.complete());
    ParticleSystem system;
    system.init(glm::vec3(0.0f), program.get(), sprite);

    std::vector<unsigned> counts;
    for (int frame = 0; frame < 150; ++frame) {
        system.update(1.0f / 60.0f, projection, view);
        counts.push_back(system.count);
        ASSERT_LE(system.count, 100u) << "frame " << frame;
        ASSERT_EQ(readCounter(system.counterBuffer), 0u) << "the counter is cleared after each read-back";
    }
    EXPECT_EQ(counts.front(), 100u);
    EXPECT_EQ(counts[1], 100u) << "young particles all survive a step";
    EXPECT_EQ(counts.back(), 0u) << "every particle expires";
    for (size_t i = 1; i < counts.size(); ++i) EXPECT_LE(counts[i], counts[i - 1]);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleGl, LiveParticlesDrawAndStepMovesThem)
{
    OffscreenTarget target(320, 180);
    ASSERT_TRUE(target.complete());
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    std::srand(1);
    ParticleSystem system;
    system.init(glm::vec3(0.0f), program.get(), sprite);
    system.update(1.0f / 60.0f, projection, view);
    system.update(1.0f / 60.0f, projection, view);
    glFinish();
    EXPECT_GT(target.litIn(target.read(), 0, 0, 320, 180), 100) << "a live burst lights pixels";

    // The pair just written holds moved particles, not the spawn.
    const std::vector<glm::vec4> moved = readBuffer(system.positionBuffer[system.current ? 1 : 0], system.count);
    ASSERT_EQ(moved.size(), 100u);
    int changed = 0;
    for (const glm::vec4& p : moved) {
        bool isSpawn = false;
        for (const glm::vec4& s : system.positions) isSpawn = isSpawn || p == s;
        if (!isSpawn) ++changed;
    }
    EXPECT_EQ(changed, 100);
}

TEST_F(ParticleGl, BurstsAdoptEachSeedOnceAndDeadBurstsKeepTheirSlotAndDrawNothing)
{
    OffscreenTarget target(320, 180);
    ASSERT_TRUE(target.complete());
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    std::vector<ParticleSeed> seeds;
    seeds.push_back(ParticleSeed::spawn({0.0f, 0.0f, 0.0f}));
    ParticleBursts bursts(program.get(), sprite);
    for (int frame = 0; frame < 120; ++frame) bursts.update(seeds, 1.0f / 60.0f, projection, view);
    ASSERT_EQ(bursts.systems.size(), 1u);
    EXPECT_EQ(bursts.systems[0].count, 0u);

    // The burst is dead: a frame of it draws nothing, but it is still stepped.
    target.clear();
    bursts.update(seeds, 1.0f / 60.0f, projection, view);
    glFinish();
    EXPECT_EQ(target.litIn(target.read(), 0, 0, 320, 180), 0);
    ASSERT_EQ(bursts.systems.size(), 1u);
    EXPECT_EQ(bursts.systems[0].count, 0u);

    // A second jump: a new system for the new seed only; the old one stays first.
    const unsigned firstCounter = bursts.systems[0].counterBuffer;
    seeds.push_back(ParticleSeed::spawn({0.0f, 0.0f, 0.0f}));
    target.clear();
    bursts.update(seeds, 1.0f / 60.0f, projection, view);
    glFinish();
    ASSERT_EQ(bursts.systems.size(), 2u);
    EXPECT_EQ(bursts.systems[0].counterBuffer, firstCounter);
    EXPECT_EQ(bursts.systems[0].count, 0u) << "a new burst does not revive the old";
    EXPECT_EQ(bursts.systems[1].count, 100u);
    EXPECT_EQ(bursts.systems[1].positions, seeds[1].positions);
    EXPECT_GT(target.litIn(target.read(), 0, 0, 320, 180), 100);

    // Both keep stepping with their own counters.
    for (int frame = 0; frame < 5; ++frame) bursts.update(seeds, 1.0f / 60.0f, projection, view);
    EXPECT_EQ(bursts.systems[0].count, 0u);
    EXPECT_EQ(bursts.systems[1].count, 100u);
}
