#pragma once
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

// One mesh vertex as uploaded: 56 tightly packed bytes, attributes 0 to 4.
struct Vertex {
    glm::vec3 position;
    glm::vec3 normal;
    glm::vec2 texCoords;
    glm::vec3 tangent;
    glm::vec3 bitangent;
};

static_assert(sizeof(Vertex) == 56, "the vertex layout is uploaded byte for byte");
