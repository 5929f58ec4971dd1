#pragma once
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include "render/GlObject.h"

class Shader;

// The GPU copy of one of the level's boxes: a vertex array and a buffer made
// from the 36 vertices of a box of the given half extents (8 floats each:
// position, normal, uv at attributes 0, 1, 2). Move-only: the names are deleted when it dies or is
// released, and a moved-from box owns nothing.
class GpuBox {
public:
    GpuBox() = default;
    explicit GpuBox(const glm::vec3& halfExtents);

    // Draws the 36 vertices with `texture` on unit 0 and "model" set on
    // `shader`. The caller makes the program current.
    void draw(const Shader& shader, const glm::mat4& model, unsigned texture) const;
    // Deletes both names now (the boxes are freed before the window closes).
    void release();

    unsigned vertexArray() const { return vao; }
    unsigned buffer() const { return vbo; }

private:
    GlVertexArray vao;
    GlBuffer vbo;
};
