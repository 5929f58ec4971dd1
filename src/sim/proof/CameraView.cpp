#include "sim/proof/CameraView.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <glm/geometric.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include "sim/level/Level.h"
#include "sim/level/Platform.h"

ScreenPlane ScreenPlane::of(const Platform& screen, const glm::vec3& insidePoint)
{
    const glm::mat4 m = screen.drawMatrix();
    const glm::vec3 centre(m * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    glm::vec3 normal = glm::normalize(glm::vec3(m * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f)));
    if (glm::dot(insidePoint - centre, normal) > 0.0f) normal = -normal;
    return {centre - normal * screen.halfExtents.z, normal};
}

float ScreenPlane::depthInside(const glm::vec3& p) const { return glm::dot(point - p, outward); }

Screens Screens::of(const Level& level)
{
    const glm::vec3 middle(0.0f, 50.0f, 0.0f);
    return {ScreenPlane::of(*level.frontScreen, middle), ScreenPlane::of(*level.backScreen, middle)};
}

float Screens::clearance(const glm::vec3& p) const { return std::min(front.depthInside(p), back.depthInside(p)); }

glm::vec3 restingCamera(const glm::vec3& p, int side) { return p + glm::vec3(0.0f, 25.0f, 50.0f * side); }

bool segmentHitsBox(const glm::vec3& a, const glm::vec3& b, const glm::vec3& centre, const glm::vec3& half)
{
    float t0 = 0.0f;
    float t1 = 1.0f;
    const glm::vec3 d = b - a;
    for (int axis = 0; axis < 3; ++axis) {
        const float lo = centre[axis] - half[axis];
        const float hi = centre[axis] + half[axis];
        if (std::abs(d[axis]) < 1e-6f) {
            if (a[axis] < lo || a[axis] > hi) return false;
            continue;
        }
        float enter = (lo - a[axis]) / d[axis];
        float leave = (hi - a[axis]) / d[axis];
        if (enter > leave) std::swap(enter, leave);
        t0 = std::max(t0, enter);
        t1 = std::min(t1, leave);
        if (t0 > t1) return false;
    }
    return true;
}

int hidingBox(const Level& level, const glm::vec3& camera, const glm::vec3& character)
{
    const size_t boxes = level.platforms.empty() ? 0 : level.platforms.size() - 1;
    for (size_t i = 0; i < boxes; ++i) {
        const Platform& p = level.platforms[i];
        if (segmentHitsBox(camera, character, p.position, p.halfExtents)) return static_cast<int>(i);
    }
    return -1;
}
