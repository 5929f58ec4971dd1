// The particle pools a jump spawns: the same first pool every run, and every
// particle starting just below and behind the origin, falling.
#include <gtest/gtest.h>

#include <cstdlib>

#include "sim/view/ParticleSeed.h"

namespace {

bool sameSeed(const ParticleSeed& a, const ParticleSeed& b)
{
    return a.positions == b.positions && a.velocities == b.velocities;
}

}  // namespace

// The generator is never seeded, so the first pool of a run must equal the
// pool drawn right after srand(1), which is the C library's starting state.
// The death-test child is a fresh process in which nothing has called rand().
TEST(ParticleSeedDeathTest, FirstPoolOfAFreshRunIsTheSameEveryRun)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            const ParticleSeed unseeded = ParticleSeed::spawn({0.0f, 0.0f, 0.0f});
            std::srand(1);
            std::exit(sameSeed(unseeded, ParticleSeed::spawn({0.0f, 0.0f, 0.0f})) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    std::srand(1);
    const ParticleSeed first = ParticleSeed::spawn({0.0f, 0.0f, 0.0f});
    EXPECT_FALSE(sameSeed(first, ParticleSeed::spawn({0.0f, 0.0f, 0.0f}))) << "later pools continue the sequence";
}

TEST(ParticleSeed, EveryOffsetIsNegativeAndVelocitiesPointDown)
{
    std::srand(1);
    const glm::vec3 origin(3.0f, 40.0f, -7.0f);
    for (int pool = 0; pool < 40; ++pool) {
        const ParticleSeed seed = ParticleSeed::spawn(origin);
        ASSERT_EQ(seed.positions.size(), 100u);
        ASSERT_EQ(seed.velocities.size(), 100u);
        for (int i = 0; i < 100; ++i) {
            const glm::vec4 p = seed.positions[i] - glm::vec4(origin, 0.0f);
            const glm::vec4 v = seed.velocities[i];
            SCOPED_TRACE(testing::Message() << "pool " << pool << " particle " << i);
            // Offsets run from -0.50 to -0.01 (with a float margin); the column
            // hangs below the origin, up to 4.95 for the last particle.
            EXPECT_TRUE(p.x <= -0.0099f && p.x >= -0.5001f && p.z <= -0.0099f && p.z >= -0.5001f);
            EXPECT_TRUE(p.y <= 0.0f && p.y >= -0.5001f * (i / 10.0f) && (i == 0 || p.y < 0.0f));
            EXPECT_EQ(p.w, 1.0f);
            EXPECT_TRUE(v.z <= -0.01f && v.z >= -0.5f && v.x <= -0.1f + 1e-6f && v.x >= -5.0f);
            EXPECT_EQ(v.y, -5.25f);
            EXPECT_EQ(v.w, 0.0f);
        }
    }
}
