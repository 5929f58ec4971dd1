#pragma once
#include <array>

#include <glm/vec3.hpp>

// One clipping plane of the view volume: normal · p + d = 0 on the plane, and
// the normal points into the volume, so positive distances are inside.
struct FrustumPlane {
    glm::vec3 normal{0.0f};
    glm::vec3 point{0.0f};
    float d = 0.0f;

    float distance(const glm::vec3& p) const;
};

// The camera's view volume, rebuilt once per frame, against which the platform
// pass tests each box's bounding sphere before drawing it.
class Frustum {
public:
    enum Planes { Top = 0, Bottom, Left, Right, Near, Far, PlaneCount };
    enum Result { Inside = 0, Intersecting = 1, Outside = 2 };

    void setProjection(float fov, float aspect, float nearDistance, float farDistance);
    void setCamera(const glm::vec3& eye, const glm::vec3& target, const glm::vec3& up);
    // 0 inside, 1 intersecting, 2 outside. A sphere that only touches a plane
    // from outside still counts as intersecting.
    int testSphere(const glm::vec3& centre, float radius) const;

    glm::vec3 nearTopLeft{0.0f}, nearTopRight{0.0f}, nearBottomLeft{0.0f}, nearBottomRight{0.0f};
    glm::vec3 farTopLeft{0.0f}, farTopRight{0.0f}, farBottomLeft{0.0f}, farBottomRight{0.0f};
    float nearDistance = 0.0f;
    float farDistance = 0.0f;
    float aspect = 0.0f;
    float fov = 0.0f;  // vertical, radians
    float tanHalfFov = 0.0f;
    float nearHalfWidth = 0.0f;
    float nearHalfHeight = 0.0f;
    float farHalfWidth = 0.0f;
    float farHalfHeight = 0.0f;
    std::array<FrustumPlane, PlaneCount> planes{};
};

// The culling sphere of a box: the larger of its x and y half extents. Boxes
// are laid out as flat slabs, so depth along z is deliberately left out.
float boundingRadius(const glm::vec3& halfExtents);
