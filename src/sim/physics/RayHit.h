#pragma once
#include <glm/vec3.hpp>

class btCollisionObject;

// The closest blocking hit of a ray cast; `hit` false when nothing was found.
struct RayHit {
    bool hit = false;
    float distance = 0.0f;
    glm::vec3 position{0.0f};
    glm::vec3 normal{0.0f};
    const btCollisionObject* object = nullptr;
};
