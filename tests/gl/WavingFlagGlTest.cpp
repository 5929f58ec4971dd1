#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <string>

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include "sim/view/FlagPlacement.h"
#include "render/WavingFlag.h"
#include "support/GlTest.h"

namespace {

glm::mat4 uniformMat4(unsigned program, const char* name)
{
    glm::mat4 value(0.0f);
    glGetUniformfv(program, glGetUniformLocation(program, name), glm::value_ptr(value));
    return value;
}

float uniformFloat(unsigned program, const char* name)
{
    float value = -1.0f;
    glGetUniformfv(program, glGetUniformLocation(program, name), &value);
    return value;
}

}  // namespace

using WavingFlagGl = GlTest;

TEST_F(WavingFlagGl, SetsEveryUniformAndTheTextureBeforeTheModelDraws)
{
    std::string log;
    const Shader animated = gameShader("animated", &log);
    ASSERT_EQ(log, "");

    unsigned flagTexture = 0;
    glGenTextures(1, &flagTexture);
    glBindTexture(GL_TEXTURE_2D, flagTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, "\xff\xff\xff\xff");
    glActiveTexture(GL_TEXTURE3);  // the draw must switch back to unit 0
    glBindTexture(GL_TEXTURE_2D, 0);

    const glm::mat4 projection = glm::perspective(0.785f, 16.0f / 9.0f, 0.1f, 1000.0f);
    const glm::mat4 view = glm::lookAt(glm::vec3(1.0f, 2.0f, 3.0f), glm::vec3(0.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    const glm::vec3 placement(-5.0f, 80.0f, -25.0f);

    int draws = 0;
    drawWavingFlag(
        animated,
        [&](const Shader& given) {
            ++draws;
            EXPECT_EQ(&given, &animated);
            GLint currentProgram = 0, activeUnit = 0, boundTexture = 0;
            glGetIntegerv(GL_CURRENT_PROGRAM, &currentProgram);
            glGetIntegerv(GL_ACTIVE_TEXTURE, &activeUnit);
            glGetIntegerv(GL_TEXTURE_BINDING_2D, &boundTexture);
            EXPECT_EQ(static_cast<unsigned>(currentProgram), animated.id);
            EXPECT_EQ(activeUnit, GL_TEXTURE0);
            EXPECT_EQ(static_cast<unsigned>(boundTexture), flagTexture);
            EXPECT_EQ(uniformMat4(animated.id, "projection"), projection);
            EXPECT_EQ(uniformMat4(animated.id, "view"), view);
            EXPECT_EQ(uniformMat4(animated.id, "model"), flagModelMatrix(placement));
            EXPECT_EQ(uniformFloat(animated.id, "tick"), 4567.0f);
            EXPECT_EQ(uniformFloat(animated.id, "dT"), 0.0125f);
        },
        flagTexture, projection, view, 0.0125f, 4567, placement);
    EXPECT_EQ(draws, 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
