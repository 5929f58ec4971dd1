#pragma once
#include <vector>

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

// An axis-aligned box: its centre, its full size and its model matrix. The
// renderer makes its own vertices for it (makeBoxVertices) and picks its picture.
class Geometry {
public:
    static constexpr int kFloatsPerVertex = 8;
    static constexpr int kVertexCount = 36;

    Geometry() = default;
    Geometry(const glm::vec3& position, const glm::vec3& halfExtents);

    glm::vec3 position{0.0f};
    glm::vec3 size{0.0f};  // full edge lengths
    glm::mat4 model{1.0f};
};

// The 288 floats of a box with the given half extents, faces back, front, left,
// right, bottom, top; texture coordinates run 0..1 on every face.
std::vector<float> makeBoxVertices(const glm::vec3& halfExtents);
