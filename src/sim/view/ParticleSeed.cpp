#include "sim/view/ParticleSeed.h"

#include <cstdlib>

namespace {

// An offset from -0.50 to -0.01: rand() mod 50, minus 50, over 100.
float nextOffset() { return static_cast<float>(std::rand() % 50 - 50) / 100.0f; }

}  // namespace

ParticleSeed ParticleSeed::spawn(const glm::vec3& origin, float positionW)
{
    ParticleSeed seed;
    seed.origin = origin;
    seed.positions.reserve(kCount);
    seed.velocities.reserve(kCount);
    for (int i = 0; i < kCount; ++i) {
        glm::vec4 position;
        glm::vec4 velocity;
        position.z = origin.z + nextOffset();
        const float b = nextOffset();
        position.y = static_cast<float>(origin.y + (i / 10.0) * b);
        position.x = origin.x + nextOffset();
        position.w = positionW;
        velocity.z = nextOffset();
        velocity.x = nextOffset() * 10.0f;
        velocity.y = -5.25f;
        velocity.w = 0.0f;
        seed.positions.push_back(position);
        seed.velocities.push_back(velocity);
    }
    return seed;
}
