#include "sim/view/FlagPlacement.h"

#include <glm/gtc/matrix_transform.hpp>

glm::mat4 flagModelMatrix(const glm::vec3& placement)
{
    const glm::mat4 rotation = glm::rotate(glm::mat4(1.0f), 1.5707964f, glm::vec3(0.0f, 1.0f, 0.0f));
    return rotation * glm::translate(glm::mat4(1.0f), placement);
}
