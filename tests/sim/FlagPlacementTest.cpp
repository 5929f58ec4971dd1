#include <gtest/gtest.h>

#include <glm/geometric.hpp>

#include "sim/view/FlagPlacement.h"

TEST(FlagPlacement, MovesThenTurnsAQuarterAboutY)
{
    const glm::mat4 model = flagModelMatrix({-5.0f, 80.0f, -25.0f});
    const glm::vec3 origin(model * glm::vec4(0.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_LT(glm::distance(origin, glm::vec3(-25.0f, 80.0f, 5.0f)), 1e-4f);
    // One unit along the model's x ends one unit along world −z.
    const glm::vec3 alongX(model * glm::vec4(1.0f, 0.0f, 0.0f, 1.0f));
    EXPECT_LT(glm::distance(alongX, glm::vec3(-25.0f, 80.0f, 4.0f)), 1e-4f);
}
