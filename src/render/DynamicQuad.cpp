#include "render/DynamicQuad.h"

#include <epoxy/gl.h>

DynamicQuad DynamicQuad::create(const char* label)
{
    DynamicQuad quad{GlVertexArray::create(), GlBuffer::create()};
    quad.vao.label(label);
    quad.vbo.label(label);
    glBindVertexArray(quad.vao);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(float) * 6 * 4, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
    return quad;
}
