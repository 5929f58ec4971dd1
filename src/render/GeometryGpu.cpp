#include "render/GeometryGpu.h"

#include <epoxy/gl.h>

#include "sim/level/Geometry.h"
#include "render/Shader.h"

void uploadGeometry(Geometry& geometry)
{
    constexpr GLsizei stride = Geometry::kFloatsPerVertex * sizeof(float);
    glGenVertexArrays(1, &geometry.vao);
    glGenBuffers(1, &geometry.vbo);
    glBindBuffer(GL_ARRAY_BUFFER, geometry.vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(geometry.vertices.size() * sizeof(float)),
                 geometry.vertices.data(), GL_STATIC_DRAW);
    glBindVertexArray(geometry.vao);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(6 * sizeof(float)));
    glEnableVertexAttribArray(2);
    // Unbound so later buffer bindings cannot end up in this box's vertex array.
    glBindVertexArray(0);
}

void drawGeometry(const Geometry& geometry, const Shader& shader, const glm::mat4& model)
{
    glBindVertexArray(geometry.vao);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, geometry.texture);
    shader.setMat4("model", model);
    glDrawArrays(GL_TRIANGLES, 0, Geometry::kVertexCount);
}

void releaseBuffers(Geometry& geometry)
{
    glDeleteVertexArrays(1, &geometry.vao);
    glDeleteBuffers(1, &geometry.vbo);
    geometry.vao = 0;
    geometry.vbo = 0;
}
