#include "sim/view/Frustum.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>

namespace {

// The plane through a, b and c whose normal is (c − b) × (a − b), normalised.
FrustumPlane planeThrough(const glm::vec3& a, const glm::vec3& b, const glm::vec3& c)
{
    FrustumPlane plane;
    plane.normal = glm::normalize(glm::cross(c - b, a - b));
    plane.point = b;
    plane.d = -glm::dot(plane.normal, b);
    return plane;
}

}  // namespace

float FrustumPlane::distance(const glm::vec3& p) const { return glm::dot(normal, p) + d; }

void Frustum::setProjection(float fovRadians, float aspectRatio, float nearPlane, float farPlane)
{
    fov = fovRadians;
    aspect = aspectRatio;
    nearDistance = nearPlane;
    farDistance = farPlane;
    tanHalfFov = static_cast<float>(std::tan(static_cast<double>(fovRadians) * 0.5));
    nearHalfHeight = nearPlane * tanHalfFov;
    nearHalfWidth = nearHalfHeight * aspectRatio;
    farHalfHeight = farPlane * tanHalfFov;
    farHalfWidth = farHalfHeight * aspectRatio;
}

void Frustum::setCamera(const glm::vec3& eye, const glm::vec3& target, const glm::vec3& up)
{
    const glm::vec3 z = glm::normalize(eye - target);
    const glm::vec3 x = glm::normalize(glm::cross(up, z));
    const glm::vec3 y = glm::cross(z, x);

    const glm::vec3 nearCentre = eye - z * nearDistance;
    const glm::vec3 farCentre = eye - z * farDistance;

    nearTopLeft = nearCentre + y * nearHalfHeight - x * nearHalfWidth;
    nearTopRight = nearCentre + y * nearHalfHeight + x * nearHalfWidth;
    nearBottomLeft = nearCentre - y * nearHalfHeight - x * nearHalfWidth;
    nearBottomRight = nearCentre - y * nearHalfHeight + x * nearHalfWidth;
    farTopLeft = farCentre + y * farHalfHeight - x * farHalfWidth;
    farTopRight = farCentre + y * farHalfHeight + x * farHalfWidth;
    farBottomLeft = farCentre - y * farHalfHeight - x * farHalfWidth;
    farBottomRight = farCentre - y * farHalfHeight + x * farHalfWidth;

    planes[Top] = planeThrough(nearTopRight, nearTopLeft, farTopLeft);
    planes[Bottom] = planeThrough(nearBottomLeft, nearBottomRight, farBottomRight);
    planes[Left] = planeThrough(nearTopLeft, nearBottomLeft, farBottomLeft);
    planes[Right] = planeThrough(nearBottomRight, nearTopRight, farBottomRight);
    planes[Near] = planeThrough(nearTopLeft, nearTopRight, nearBottomRight);
    planes[Far] = planeThrough(farTopRight, farTopLeft, farBottomLeft);
}

int Frustum::testSphere(const glm::vec3& centre, float radius) const
{
    int result = Inside;
    for (const FrustumPlane& plane : planes) {
        const float distance = plane.distance(centre);
        if (distance < -radius) return Outside;
        if (distance < radius) result = Intersecting;
    }
    return result;
}

float boundingRadius(const glm::vec3& halfExtents) { return std::max(halfExtents.x, halfExtents.y); }
