#include "render/GeometryGpu.h"

#include <epoxy/gl.h>

#include "render/Shader.h"
#include "sim/level/Geometry.h"

GpuBox::GpuBox(const glm::vec3& halfExtents) : vao(GlVertexArray::create()), vbo(GlBuffer::create())
{
    const std::vector<float> vertices = makeBoxVertices(halfExtents);
    constexpr GLsizei stride = Geometry::kFloatsPerVertex * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(float)), vertices.data(),
                 GL_STATIC_DRAW);
    glBindVertexArray(vao);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(0));
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(6 * sizeof(float)));
    glEnableVertexAttribArray(2);
    // Unbound so later buffer bindings cannot end up in this box's vertex array.
    glBindVertexArray(0);
}

void GpuBox::draw(const Shader& shader, const glm::mat4& model, unsigned texture) const
{
    glBindVertexArray(vao);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    shader.setMat4("model", model);
    glDrawArrays(GL_TRIANGLES, 0, Geometry::kVertexCount);
}

void GpuBox::release()
{
    vao.reset();
    vbo.reset();
}
