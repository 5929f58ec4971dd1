#pragma once
#include <algorithm>
#include <cmath>
#include <utility>

#include <glm/geometric.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include "sim/level/Level.h"
#include "sim/level/Platform.h"

// What the game camera can see in a built level: the two tilted video screens
// close the play space along z, and a camera that drifts past one of them sees
// only its back. Level boxes between the camera and the character hide it.
namespace camera_view {

// The inner face of one screen as a plane, with its normal pointing out of the
// play space.
struct ScreenPlane {
    glm::vec3 point{0.0f};
    glm::vec3 outward{0.0f, 0.0f, 1.0f};

    // Built from the screen's own draw matrix (centre and tilt as the renderer uses them).
    static ScreenPlane of(const Platform& screen, const glm::vec3& insidePoint)
    {
        const glm::mat4 m = screen.drawMatrix();
        const glm::vec3 centre(m * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
        glm::vec3 normal = glm::normalize(glm::vec3(m * glm::vec4(0.0f, 0.0f, 1.0f, 0.0f)));
        if (glm::dot(insidePoint - centre, normal) > 0.0f) normal = -normal;
        ScreenPlane plane;
        plane.outward = normal;
        plane.point = centre - normal * screen.halfExtents.z;
        return plane;
    }

    // How far p lies inside the play space from this face (negative: behind the screen).
    float depthInside(const glm::vec3& p) const { return glm::dot(point - p, outward); }
};

// Both screens of a level, each oriented against the middle of the play space.
struct Screens {
    ScreenPlane front;
    ScreenPlane back;

    static Screens of(const Level& level)
    {
        const glm::vec3 middle(0.0f, 50.0f, 0.0f);
        return {ScreenPlane::of(*level.frontScreen, middle), ScreenPlane::of(*level.backScreen, middle)};
    }

    // The smaller clearance of p from the two screens.
    float clearance(const glm::vec3& p) const { return std::min(front.depthInside(p), back.depthInside(p)); }
};

// Where the game camera settles for a character at p on the given side (+1: larger z).
inline glm::vec3 restingCamera(const glm::vec3& p, int side) { return p + glm::vec3(0.0f, 25.0f, 50.0f * side); }

// Whether the segment from a to b passes through the axis-aligned box.
inline bool segmentHitsBox(const glm::vec3& a, const glm::vec3& b, const glm::vec3& centre, const glm::vec3& half)
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

// Index of the first level box (platforms and walls; the floor, last in the
// list, is left out) that lies on the line of sight from the camera to the
// character's centre, or -1 when the view is clear.
inline int hidingBox(const Level& level, const glm::vec3& camera, const glm::vec3& character)
{
    const size_t boxes = level.platforms.empty() ? 0 : level.platforms.size() - 1;
    for (size_t i = 0; i < boxes; ++i) {
        const Platform& p = level.platforms[i];
        if (segmentHitsBox(camera, character, p.position, p.halfExtents)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace camera_view
