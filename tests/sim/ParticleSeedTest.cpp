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
            const ParticleSeed reference = ParticleSeed::spawn({0.0f, 0.0f, 0.0f});
            std::exit(sameSeed(unseeded, reference) ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");

    std::srand(1);
    const ParticleSeed first = ParticleSeed::spawn({0.0f, 0.0f, 0.0f});
    std::srand(1);
    const ParticleSeed again = ParticleSeed::spawn({0.0f, 0.0f, 0.0f});
    EXPECT_TRUE(sameSeed(first, again));
    // Later pools continue the one sequence instead of repeating it.
    const ParticleSeed second = ParticleSeed::spawn({0.0f, 0.0f, 0.0f});
    EXPECT_FALSE(sameSeed(first, second));
}

TEST(ParticleSeed, EveryOffsetIsNegativeAndVelocitiesPointDown)
{
    std::srand(1);
    const glm::vec3 origin(3.0f, 40.0f, -7.0f);
    for (int pool = 0; pool < 40; ++pool) {
        const ParticleSeed seed = ParticleSeed::spawn(origin);
        ASSERT_EQ(seed.positions.size(), 100u);
        ASSERT_EQ(seed.velocities.size(), 100u);
        EXPECT_EQ(seed.origin, origin);
        for (int i = 0; i < 100; ++i) {
            const glm::vec4 p = seed.positions[i];
            const glm::vec4 v = seed.velocities[i];
            SCOPED_TRACE(testing::Message() << "pool " << pool << " particle " << i);
            // Offsets run from −0.50 to −0.01 (checked with a float margin).
            EXPECT_LE(p.z - origin.z, -0.0099f);
            EXPECT_GE(p.z - origin.z, -0.5001f);
            EXPECT_LE(p.x - origin.x, -0.0099f);
            EXPECT_GE(p.x - origin.x, -0.5001f);
            // The column hangs below the origin, up to 4.95 for the last particle.
            EXPECT_LE(p.y, origin.y);
            EXPECT_GE(p.y - origin.y, -0.5001f * (i / 10.0f));
            if (i > 0) {
                EXPECT_LT(p.y, origin.y);
            }
            EXPECT_EQ(p.w, 1.0f);
            EXPECT_LE(v.z, -0.01f);
            EXPECT_GE(v.z, -0.5f);
            EXPECT_LE(v.x, -0.1f + 1e-6f);
            EXPECT_GE(v.x, -5.0f);
            EXPECT_EQ(v.y, -5.25f);
            EXPECT_EQ(v.w, 0.0f);
        }
    }
}
