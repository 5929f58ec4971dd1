#pragma once
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// A textured axis-aligned box: 36 vertices of (position, normal, uv) around the
// origin, placed by `model`. The renderer keeps its own GPU copy of the vertices.
class Geometry {
public:
    static constexpr int kFloatsPerVertex = 8;
    static constexpr int kVertexCount = 36;

    Geometry() = default;
    Geometry(const glm::vec3& position, const glm::vec3& halfExtents, unsigned texture);

    glm::vec3 position{0.0f};
    glm::vec3 size{0.0f};  // full edge lengths
    unsigned texture = 0;  // the picture it starts with; animated surfaces show their frames instead
    glm::mat4 model{1.0f};
    std::vector<float> vertices;
};

// The 288 floats of a box with the given half extents, faces back, front, left,
// right, bottom, top; texture coordinates run 0..1 on every face.
std::vector<float> makeBoxVertices(const glm::vec3& halfExtents);
