#include "sim/level/Geometry.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

// One corner: signs of (x, y, z), then (u, v).
struct Corner {
    float sx, sy, sz, u, v;
};

struct Face {
    float nx, ny, nz;
    Corner corners[6];
};

// Faces back, front, left, right, bottom, top; two triangles each.
constexpr Face kFaces[6] = {
    {0, 0, -1, {{-1, -1, -1, 0, 0}, {1, -1, -1, 1, 0}, {1, 1, -1, 1, 1}, {1, 1, -1, 1, 1}, {-1, 1, -1, 0, 1}, {-1, -1, -1, 0, 0}}},
    {0, 0, 1, {{-1, -1, 1, 0, 0}, {1, -1, 1, 1, 0}, {1, 1, 1, 1, 1}, {1, 1, 1, 1, 1}, {-1, 1, 1, 0, 1}, {-1, -1, 1, 0, 0}}},
    {-1, 0, 0, {{-1, 1, 1, 1, 0}, {-1, 1, -1, 1, 1}, {-1, -1, -1, 0, 1}, {-1, -1, -1, 0, 1}, {-1, -1, 1, 0, 0}, {-1, 1, 1, 1, 0}}},
    {1, 0, 0, {{1, 1, 1, 1, 0}, {1, 1, -1, 1, 1}, {1, -1, -1, 0, 1}, {1, -1, -1, 0, 1}, {1, -1, 1, 0, 0}, {1, 1, 1, 1, 0}}},
    {0, -1, 0, {{-1, -1, -1, 0, 1}, {1, -1, -1, 1, 1}, {1, -1, 1, 1, 0}, {1, -1, 1, 1, 0}, {-1, -1, 1, 0, 0}, {-1, -1, -1, 0, 1}}},
    {0, 1, 0, {{-1, 1, -1, 0, 1}, {1, 1, -1, 1, 1}, {1, 1, 1, 1, 0}, {1, 1, 1, 1, 0}, {-1, 1, 1, 0, 0}, {-1, 1, -1, 0, 1}}},
};

}  // namespace

std::vector<float> makeBoxVertices(const glm::vec3& halfExtents)
{
    std::vector<float> vertices;
    vertices.reserve(Geometry::kVertexCount * Geometry::kFloatsPerVertex);
    for (const Face& face : kFaces) {
        for (const Corner& c : face.corners) {
            // Multiplying by +-1 keeps the half extents bit-exact.
            vertices.insert(vertices.end(), {c.sx * halfExtents.x, c.sy * halfExtents.y, c.sz * halfExtents.z, face.nx,
                                             face.ny, face.nz, c.u, c.v});
        }
    }
    return vertices;
}

Geometry::Geometry(const glm::vec3& position, const glm::vec3& halfExtents)
    : position(position), size(2.0f * halfExtents), model(glm::translate(glm::mat4(1.0f), position))
{
}
