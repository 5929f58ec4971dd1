#pragma once
#include <vector>

#include <glm/vec3.hpp>

#include "sim/gameplay/Confetti.h"

// The 25 pieces released above the character when the level is won.
class ConfettiBurst {
public:
    // A 5x5 grid from the centre towards +x and +z, stored z-major.
    void spawn(PhysicsWorld* world, const glm::vec3& centre);

    bool active = false;
    std::vector<Confetti> pieces;
};
