#include "sim/physics/BoxRaycast.h"

#include <cmath>
#include <limits>

std::optional<BoxRayEntry> intersectRayBox(const glm::vec3& origin, const glm::vec3& direction, float maxDistance,
                                           const glm::vec3& halfExtents)
{
    // Slab test: exact for axis-aligned faces, so a surface exactly at the
    // jump limit is found at exactly that distance.
    float enter = -std::numeric_limits<float>::infinity();
    float leave = std::numeric_limits<float>::infinity();
    int enterAxis = -1;
    for (int axis = 0; axis < 3; ++axis) {
        const float o = origin[axis];
        const float d = direction[axis];
        const float h = halfExtents[axis];
        if (d == 0.0f) {
            if (o < -h || o > h) return std::nullopt;
            continue;
        }
        float t0 = (-h - o) / d;
        float t1 = (h - o) / d;
        if (t0 > t1) std::swap(t0, t1);
        if (t0 > enter) {
            enter = t0;
            enterAxis = axis;
        }
        leave = std::min(leave, t1);
        if (enter > leave) return std::nullopt;
    }
    if (leave < 0.0f) return std::nullopt;
    BoxRayEntry entry;
    if (enter <= 0.0f || enterAxis < 0) {
        entry.distance = 0.0f;
        entry.normal = -direction;
        return entry;
    }
    if (enter > maxDistance) return std::nullopt;
    entry.distance = enter;
    entry.normal[enterAxis] = direction[enterAxis] > 0.0f ? -1.0f : 1.0f;
    return entry;
}
