#pragma once
#include <vector>

#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

// The starting state of one particle pool: 100 particles in a short column
// below the origin, drawn from the C library's unseeded rand() so that every
// run looks the same. All pools draw from that one sequence in creation order.
struct ParticleSeed {
    static constexpr int kCount = 100;

    static ParticleSeed spawn(const glm::vec3& origin, float positionW = 1.0f);

    glm::vec3 origin{0.0f};
    std::vector<glm::vec4> positions;
    std::vector<glm::vec4> velocities;
};
