#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// The flag's model matrix: a quarter turn about +y applied after moving the
// model by its placement, so (−5, 80, −25) puts its origin at (−25, 80, 5).
glm::mat4 flagModelMatrix(const glm::vec3& placement);
