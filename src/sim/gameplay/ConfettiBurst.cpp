#include "sim/gameplay/ConfettiBurst.h"

void ConfettiBurst::spawn(PhysicsWorld* world, const glm::vec3& centre)
{
    pieces.reserve(pieces.size() + 25);
    for (int i = 0; i < 5; ++i)
        for (int j = 0; j < 5; ++j)
            pieces.emplace_back(world, glm::vec3(centre.x + static_cast<float>(j), centre.y, centre.z + static_cast<float>(i)));
    active = true;
}
