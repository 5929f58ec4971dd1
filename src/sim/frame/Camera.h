#pragma once
#include <cstdint>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// The single camera. In game-camera mode it glides after the character; in
// free-fly mode the keys and mouse move and turn it.
class Camera {
public:
    Camera();

    void updateVectors();
    glm::mat4 viewMatrix() const;
    // Glide towards a point 25 above and 50 behind the target (on the follow side).
    // A frame of 0.2 s or more lands exactly on the goal point.
    void follow(const glm::vec3& target, float deltaTime);
    void processMouseMovement(float xOffset, float yOffset);

    glm::vec3 position{0.0f, 0.0f, 0.0f};
    glm::vec3 front{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
    glm::vec3 right{1.0f, 0.0f, 0.0f};
    glm::vec3 worldUp{0.0f, 1.0f, 0.0f};
    int32_t followSide = 1;
    bool freeFly = false;
    float yaw = -90.0f;
    float pitch = 0.0f;
    float moveSpeed = 5.5f;
    float mouseSensitivity = 0.1f;
    float zoom = 45.0f;
};
