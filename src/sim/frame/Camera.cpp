#include "sim/frame/Camera.h"

#include "core/Units.h"

#include <algorithm>
#include <cmath>

#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>

Camera::Camera() { updateVectors(); }

void Camera::updateVectors()
{
    const float y = yaw * kDegreesToRadians;
    const float p = pitch * kDegreesToRadians;
    front = glm::normalize(glm::vec3(std::cos(y) * std::cos(p), std::sin(p), std::sin(y) * std::cos(p)));
    right = glm::normalize(glm::cross(front, worldUp));
    up = glm::normalize(glm::cross(right, front));
}

glm::mat4 Camera::viewMatrix() const { return glm::lookAt(position, position + front, up); }

void Camera::follow(const glm::vec3& target, float deltaTime)
{
    if (freeFly) return;
    // A long frame (0.2 s or more) lands on the goal point. Unclamped, frames
    // over 0.4 s would overshoot further each time and fling the camera away.
    const float t = std::min(deltaTime * 5.0f, 1.0f);
    const glm::vec3 goal(target.x, target.y + 25.0f, target.z + 50.0f * static_cast<float>(followSide));
    position = t * goal + (1.0f - t) * position;
    updateVectors();
}

void Camera::processMouseMovement(float xOffset, float yOffset)
{
    yaw += xOffset * mouseSensitivity;
    pitch += yOffset * mouseSensitivity;
    if (pitch > 89.0f) pitch = 89.0f;
    if (pitch < -89.0f) pitch = -89.0f;
    updateVectors();
}
