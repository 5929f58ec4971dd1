// The particle pools a jump spawns: the same first pool every run.
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
