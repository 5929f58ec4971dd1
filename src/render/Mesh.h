#pragma once
#include <epoxy/gl.h>

#include <vector>

#include "render/GlObject.h"
#include "render/Shader.h"
#include "render/Texture.h"
#include "render/Vertex.h"

// A piece of a model with its own buffers, which it owns (moved, never
// copied), and its material textures, which the model owns. The vertices and
// indices live only in the GL's buffers.
class Mesh {
public:
    Mesh(const std::vector<Vertex>& vertices, const std::vector<unsigned>& indices, std::vector<Texture> textures);
    Mesh(const Mesh&) = delete;
    Mesh& operator=(const Mesh&) = delete;
    Mesh(Mesh&&) noexcept = default;
    Mesh& operator=(Mesh&&) noexcept = default;

    // Binds texture i on unit i, names its sampler by type and per-type number
    // ("texture_diffuse1", "texture_specular1", ...) and draws the triangles.
    // The program must already be current.
    void draw(const Shader& shader) const;

    GLsizei indexCount = 0;
    std::vector<Texture> textures;
    GlVertexArray vao;
    GlBuffer vbo;
    GlBuffer ebo;
};
