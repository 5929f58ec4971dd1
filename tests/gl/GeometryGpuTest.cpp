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

TEST_F(GeometryGpu, UploadDescribesEightFloatVerticesAndReleaseDeletesThem)
{
    Geometry box;
    box.vertices = unitBoxVertices();
    ASSERT_EQ(box.vertices.size(), 288u);
    uploadGeometry(box);
    ASSERT_NE(box.vao, 0u);
    ASSERT_NE(box.vbo, 0u);

    glBindBuffer(GL_ARRAY_BUFFER, box.vbo);
    int size = 0, usage = 0;
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
    glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
    EXPECT_EQ(size, 1152);
    EXPECT_EQ(usage, GL_STATIC_DRAW);
    std::vector<float> stored(288);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, 1152, stored.data());
    EXPECT_EQ(stored, box.vertices);

    glBindVertexArray(box.vao);
    const int components[3] = {3, 3, 2};
    const int offsets[3] = {0, 12, 24};
    for (int attribute = 0; attribute < 3; ++attribute) {
        int enabled = 0, count = 0, stride = 0, buffer = 0, normalized = 1;
        void* offset = nullptr;
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_SIZE, &count);
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &buffer);
        glGetVertexAttribiv(attribute, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalized);
        glGetVertexAttribPointerv(attribute, GL_VERTEX_ATTRIB_ARRAY_POINTER, &offset);
        EXPECT_TRUE(enabled) << attribute;
        EXPECT_EQ(count, components[attribute]) << attribute;
        EXPECT_EQ(stride, 32) << attribute;
        EXPECT_EQ(static_cast<unsigned>(buffer), box.vbo) << attribute;
        EXPECT_FALSE(normalized) << attribute;
        EXPECT_EQ(reinterpret_cast<intptr_t>(offset), offsets[attribute]) << attribute;
    }
    glBindVertexArray(0);

    const unsigned vao = box.vao, vbo = box.vbo;
    releaseBuffers(box);
    EXPECT_EQ(box.vao, 0u);
    EXPECT_EQ(box.vbo, 0u);
    EXPECT_FALSE(glIsVertexArray(vao));
    EXPECT_FALSE(glIsBuffer(vbo));
}

TEST_F(GeometryGpu, DrawBindsTheBoxTextureOnUnitZeroAndPlacesItByModel)
{
    // The game's model program, with identity camera matrices: the box's front
    // face maps straight onto clip space.
    std::string log;
    Shader program = gameShader("model", &log);
    ASSERT_EQ(log, "");
    program.use();
    program.setMat4("projection", glm::mat4(1.0f));
    program.setMat4("view", glm::mat4(1.0f));

    Geometry box;
    box.vertices = unitBoxVertices();
    uploadGeometry(box);
    box.texture = solidTexture(255, 255, 255);
    unsigned decoy = solidTexture(0, 0, 0);
    glActiveTexture(GL_TEXTURE3);
    glBindTexture(GL_TEXTURE_2D, decoy);  // the draw must switch back to unit 0 itself

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // Scaled to the middle half of the window and pushed inside the clip volume.
    glm::mat4 model = glm::scale(glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -1.5f)), glm::vec3(0.5f));
    drawGeometry(box, program, model);

    int active = 0;
    glGetIntegerv(GL_ACTIVE_TEXTURE, &active);
    EXPECT_EQ(active, GL_TEXTURE0);
    unsigned char centre[4] = {}, corner[4] = {};
    glReadBuffer(GL_BACK);
    glReadPixels(160, 90, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, centre);
    glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, corner);
    EXPECT_GT(centre[0], 150) << "the white box texture is sampled";
    EXPECT_EQ(corner[0], 0) << "the model matrix shrinks the box away from the corner";
    float matrix[16] = {};
    glGetUniformfv(program.id, glGetUniformLocation(program.id, "model"), matrix);
    EXPECT_FLOAT_EQ(matrix[14], -1.5f);
    releaseBuffers(box);
}
