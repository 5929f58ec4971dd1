#pragma once
#include <vector>

#include "render/Shader.h"
#include "render/Texture.h"
#include "render/Vertex.h"

// A piece of a model with its own buffers and material textures. The GL
// objects live as long as the process; a mesh never deletes them.
class Mesh {
public:
    Mesh(std::vector<Vertex> vertices, std::vector<unsigned> indices, std::vector<Texture> textures);

    // Binds texture i on unit i, names its sampler by type and per-type number
    // ("texture_diffuse1", "texture_specular1", ...) and draws the triangles.
    // The program must already be current.
    void draw(Shader shader) const;

    void setupBuffers();

    std::vector<Vertex> vertices;
    std::vector<unsigned> indices;
    std::vector<Texture> textures;
    unsigned vao = 0;
    unsigned vbo = 0;
    unsigned ebo = 0;
};
