#include <gtest/gtest.h>

#include <epoxy/gl.h>

#include <string>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "sim/level/Geometry.h"
#include "render/GeometryGpu.h"
#include "support/GlTest.h"

namespace {

// A unit box (half extents 1) in the layout the level code produces: 36
// vertices of position, normal, uv. Only the front face's two triangles matter
// for the pictures below; the rest repeat them.
std::vector<float> unitBoxVertices()
{
    const float face[6][8] = {
        {-1, -1, 1, 0, 0, 1, 0, 0}, {1, -1, 1, 0, 0, 1, 1, 0}, {1, 1, 1, 0, 0, 1, 1, 1},
        {1, 1, 1, 0, 0, 1, 1, 1},   {-1, 1, 1, 0, 0, 1, 0, 1}, {-1, -1, 1, 0, 0, 1, 0, 0},
    };
    std::vector<float> vertices;
    for (int repeat = 0; repeat < 6; ++repeat)
        for (const auto& vertex : face) vertices.insert(vertices.end(), vertex, vertex + 8);
    return vertices;
}

unsigned solidTexture(unsigned char r, unsigned char g, unsigned char b)
{
    unsigned texture = 0;
    const unsigned char pixel[4] = {r, g, b, 255};
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

}  // namespace

using GeometryGpu = GlTest;

TEST_F(GeometryGpu, BoxOwnsItsBufferWhichHoldsTheVerticesUntilItDies)
{
    Geometry geometry;
    geometry.vertices = unitBoxVertices();
    unsigned vao = 0, vbo = 0;
    {
        GpuBox made(geometry);
        GpuBox box(std::move(made));
        EXPECT_EQ(made.vertexArray(), 0u) << "a moved-from box owns nothing";
        vao = box.vertexArray();
        vbo = box.buffer();
        ASSERT_TRUE(glIsVertexArray(vao));
        std::vector<float> stored(288);
        glBindBuffer(GL_ARRAY_BUFFER, vbo);
        glGetBufferSubData(GL_ARRAY_BUFFER, 0, 1152, stored.data());
        EXPECT_EQ(stored, geometry.vertices);
    }
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(vbo));
}

TEST_F(GeometryGpu, DrawSamplesTheGivenTextureOnUnitZeroPlacedByModel)
{
    // The game's model program, with identity camera matrices: the box's front
    // face maps straight onto clip space.
    std::string log;
    Shader program = gameShader("model", &log);
    ASSERT_EQ(log, "");
    program.use();
    program.setMat4("projection", glm::mat4(1.0f));
    program.setMat4("view", glm::mat4(1.0f));

    Geometry geometry;
    geometry.vertices = unitBoxVertices();
    GpuBox box(geometry);
    const unsigned white = solidTexture(255, 255, 255);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, solidTexture(0, 0, 0));  // the draw must switch back to unit 0 itself

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Scaled to the middle half of the window and pushed inside the clip volume.
    box.draw(program, glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -1.5f)), glm::vec3(0.5f)),
             white);

    unsigned char centre[4] = {}, corner[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(160, 90, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
    EXPECT_GT(centre[0], 150) << "the white texture is sampled through the uv attribute";
    EXPECT_EQ(corner[0], 0) << "the model matrix shrinks the box away from the corner";
}
