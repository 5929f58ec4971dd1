#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <string>
#include <vector>

#include <glm/vec4.hpp>

#include "support/GlTest.h"

namespace {

constexpr unsigned kCapacity = 100;

// Drives the particle program's compute stage the way a particle burst does:
// two buffer pairs that swap every step and an atomic counter at binding 4
// that is read back and cleared after each dispatch.
struct ParticleStep : GlTest {
    void SetUp() override
    {
        GlTest::SetUp();
        std::string log;
        program = particleShader(&log);
        ASSERT_EQ(log, "");
        glGenBuffers(2, positions);
        glGenBuffers(2, velocities);
        glGenBuffers(1, &counter);
        std::vector<glm::vec4> spawnPositions, spawnVelocities;
        for (unsigned i = 0; i < kCapacity; ++i) {
            spawnPositions.emplace_back(-0.1f * i, 10.0f, -0.2f, 1.0f);
            spawnVelocities.emplace_back(-1.0f, -5.25f, -0.3f, 0.0f);
        }
        for (int k = 0; k < 2; ++k) {
            glBindBuffer(GL_SHADER_STORAGE_BUFFER, positions[k]);
            glBufferData(GL_SHADER_STORAGE_BUFFER, kCapacity * 16, spawnPositions.data(), GL_DYNAMIC_DRAW);
            glBindBuffer(GL_SHADER_STORAGE_BUFFER, velocities[k]);
            glBufferData(GL_SHADER_STORAGE_BUFFER, kCapacity * 16, spawnVelocities.data(), GL_DYNAMIC_DRAW);
        }
        glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, counter);
        glBufferData(GL_ATOMIC_COUNTER_BUFFER, 4, &kCapacity, GL_DYNAMIC_DRAW);
    }

    // One step; returns the count the counter held, leaving it at 0.
    unsigned step(unsigned lastCount, unsigned maxCount, float dt)
    {
        glUseProgram(program.computeId);
        Shader compute;
        compute.id = program.computeId;
        compute.setUnsigned("LastCount", lastCount);
        compute.setUnsigned("MaxCount", maxCount);
        compute.setFloat("DeltaT", dt);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 0, positions[current]);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 1, velocities[current]);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 2, positions[1 - current]);
        glBindBufferBase(GL_SHADER_STORAGE_BUFFER, 3, velocities[1 - current]);
        current = 1 - current;
        glBindBufferBase(GL_ATOMIC_COUNTER_BUFFER, 4, counter);
        glDispatchCompute(lastCount / 256 + 1, 1, 1);
        glMemoryBarrier(GL_ATOMIC_COUNTER_BARRIER_BIT | GL_SHADER_STORAGE_BARRIER_BIT);
        glBindBuffer(GL_ATOMIC_COUNTER_BUFFER, counter);
        auto* value = static_cast<unsigned*>(glMapBufferRange(GL_ATOMIC_COUNTER_BUFFER, 0, 4, GL_MAP_READ_BIT | GL_MAP_WRITE_BIT));
        unsigned count = *value;
        *value = 0;
        glUnmapBuffer(GL_ATOMIC_COUNTER_BUFFER);
        return count;
    }

    std::vector<glm::vec4> read(unsigned buffer, unsigned count)
    {
        std::vector<glm::vec4> values(count);
        glBindBuffer(GL_SHADER_STORAGE_BUFFER, buffer);
        glGetBufferSubData(GL_SHADER_STORAGE_BUFFER, 0, count * 16, values.data());
        return values;
    }

    Shader program;
    unsigned positions[2] = {};
    unsigned velocities[2] = {};
    unsigned counter = 0;
    int current = 0;
};

}  // namespace

TEST_F(ParticleStep, CountNeverExceedsTheCapacity)
{
    // A fresh burst's counter still holds the spawn count: every claim would
    // land past the end, so nothing is written and the count stays at 100.
    EXPECT_EQ(step(kCapacity, kCapacity, 0.016f), kCapacity);
    // With a cleared counter all young particles survive.
    EXPECT_EQ(step(kCapacity, kCapacity, 0.016f), kCapacity);
    // A smaller capacity caps the survivors.
    EXPECT_EQ(step(kCapacity, 60, 0.016f), 60u);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleStep, ParticlesFallFadeAndDieAfterTheirLifetime)
{
    unsigned count = step(kCapacity, kCapacity, 0.0f);  // the counter still holds the spawn count
    count = step(count, kCapacity, 0.1f);
    ASSERT_EQ(count, kCapacity);
    std::vector<glm::vec4> moved = read(positions[current], count);
    std::vector<glm::vec4> aged = read(velocities[current], count);
    for (unsigned i = 0; i < count; ++i) {
        EXPECT_LT(moved[i].y, 10.0f - 0.5f) << "falls with its downward velocity";
        EXPECT_LT(moved[i].w, 1.0f);
        EXPECT_GT(moved[i].w, 0.8f);
        EXPECT_NEAR(aged[i].w, 0.1f, 1e-5f);
    }

    float elapsed = 0.1f;
    while (count > 0 && elapsed < 3.0f) {
        count = step(count, kCapacity, 0.05f);
        elapsed += 0.05f;
        if (elapsed < 1.15f) {
            EXPECT_EQ(count, kCapacity) << "at " << elapsed << " s";
        }
    }
    EXPECT_EQ(count, 0u);
    EXPECT_GE(elapsed, 1.2f);
    EXPECT_LE(elapsed, 1.35f);
    // A burst that has died out keeps stepping with nothing to do.
    EXPECT_EQ(step(0, kCapacity, 0.016f), 0u);
}
