#pragma once
#include <glm/vec3.hpp>

struct Level;
class Platform;

// What the game camera can see in a built level: the two tilted video screens
// close the play space along z, and a camera that drifts past one of them sees
// only its back. Level boxes between the camera and the character hide it.
// Level checks use these to judge a route.

// The inner face of one screen as a plane, with its normal pointing out of the play space.
struct ScreenPlane {
    glm::vec3 point{0.0f};
    glm::vec3 outward{0.0f, 0.0f, 1.0f};

    // Built from the screen's own draw matrix (centre and tilt as the renderer uses them).
    static ScreenPlane of(const Platform& screen, const glm::vec3& insidePoint);
    // How far p lies inside the play space from this face (negative: behind the screen).
    float depthInside(const glm::vec3& p) const;
};

// Both screens of a level, each oriented against the middle of the play space.
struct Screens {
    ScreenPlane front;
    ScreenPlane back;

    static Screens of(const Level& level);
    // The smaller clearance of p from the two screens.
    float clearance(const glm::vec3& p) const;
};

// Where the game camera settles for a character at p on the given side (+1: larger z).
glm::vec3 restingCamera(const glm::vec3& p, int side);

// Whether the segment from a to b passes through the axis-aligned box.
bool segmentHitsBox(const glm::vec3& a, const glm::vec3& b, const glm::vec3& centre, const glm::vec3& half);

// Index of the first level box (platforms and walls; the floor, last in the
// list, is left out) on the line of sight from the camera to the character's
// centre, or -1 when the view is clear.
int hidingBox(const Level& level, const glm::vec3& camera, const glm::vec3& character);
