#include <epoxy/gl.h>

#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "render/GeometryGpu.h"
#include "sim/level/Geometry.h"
#include "support/GlTest.h"
#include "support/OffscreenTarget.h"

using GeometryGpu = GlTest;

// A unit box through the game's model program with identity camera matrices,
// so the model matrix alone places it in clip space: x 0 .. 1, y -0.5 .. 0.5.
TEST_F(GeometryGpu, BoxHoldsItsVerticesDrawsWithTheTextureOnUnitZeroAndDeletesItsNamesWhenItDies)
{
    std::string log;
    const Shader program = gameShader("model", &log);
    ASSERT_EQ(log, "");
    program.use();
    program.setMat4("projection", glm::mat4(1.0f));
    program.setMat4("view", glm::mat4(1.0f));
    const std::vector<float> vertices = makeBoxVertices(glm::vec3(1.0f));
    const GlTexture white = solidTexture("\xff\xff\xff\xff"), black = solidTexture("\0\0\0\xff");
    OffscreenTarget target(320, 180);
    unsigned vao = 0, vbo = 0;
    {
        GpuBox made(glm::vec3(1.0f));
        const GpuBox box(std::move(made));
        EXPECT_EQ(made.vertexArray(), 0u) << "a moved-from box owns nothing";
        vao = box.vertexArray(), vbo = box.buffer();
        ASSERT_TRUE(glIsVertexArray(vao));
        std::vector<float> stored(vertices.size());
        glGetNamedBufferSubData(vbo, 0, static_cast<GLsizeiptr>(stored.size() * sizeof(float)), stored.data());
        EXPECT_EQ(stored, vertices);
        glActiveTexture(GL_TEXTURE3);
        glBindTexture(GL_TEXTURE_2D, black);  // the draw must switch back to unit 0 itself
        box.draw(program, glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0.5f, 0.0f, 0.0f)), glm::vec3(0.5f)), white);
    }
    EXPECT_EQ(target.lit(162, 47, 318, 133), 156 * 86) << "the white texture fills the box";
    EXPECT_EQ(target.lit(0, 0, 158, 180) + target.lit(158, 0, 320, 43) + target.lit(158, 137, 320, 180), 0)
        << "nothing outside the box";
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(vbo));
}
