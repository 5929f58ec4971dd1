#pragma once
#include <optional>

#include <glm/vec3.hpp>

// Where a ray meets a box centred on the origin of its own frame: the entry
// distance along the (unit) direction and the outward normal of the face it
// enters. A ray starting inside or on the box meets it at distance 0 with the
// normal opposite to the ray. Nothing when the box lies beyond maxDistance or
// behind the origin.
struct BoxRayEntry {
    float distance = 0.0f;
    glm::vec3 normal{0.0f};
};

std::optional<BoxRayEntry> intersectRayBox(const glm::vec3& origin, const glm::vec3& direction, float maxDistance,
                                           const glm::vec3& halfExtents);
