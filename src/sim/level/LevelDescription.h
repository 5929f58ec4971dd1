#pragma once
#include <cstdint>
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "sim/view/DrawnObject.h"

struct Level;

// One box: its kind, its side (blue: the +z half of the level, magenta the
// other), its half extents and where it is drawn (its model matrix, tilt included).
struct BoxDescription {
    ObjectKind kind = ObjectKind::Wall;
    bool blue = false;
    glm::vec3 halfExtents{0.5f};
    glm::mat4 placement{1.0f};
};

// The boxes of a level that never change shape, in the level's own order: its
// platforms, walls and floor (the level's platform list), then the void, the
// goal pad and the front and back screens. The renderer makes its GPU copy of
// each when a session starts; each frame lists the ones it draws by index.
struct LevelDescription {
    std::vector<BoxDescription> boxes;
    uint32_t platformCount = 0;  // boxes [0, platformCount) are the level's platform list
    uint32_t voidBox = 0;
    uint32_t goalPadBox = 0;
    uint32_t frontScreenBox = 0;
    uint32_t backScreenBox = 0;
};

LevelDescription describeLevel(const Level& level);
