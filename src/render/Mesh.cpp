#include "render/Mesh.h"

#include <epoxy/gl.h>

#include <cstddef>
#include <string>

Mesh::Mesh(const std::vector<Vertex>& vertices, const std::vector<unsigned>& indices, std::vector<Texture> meshTextures)
    : indexCount(static_cast<GLsizei>(indices.size())), textures(std::move(meshTextures))
{
    vao = GlVertexArray::create();
    vbo = GlBuffer::create();
    ebo = GlBuffer::create();
    glBindVertexArray(vao);

    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, ebo);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(unsigned)), indices.data(),
                 GL_STATIC_DRAW);

    struct Attribute {
        GLint components;
        size_t offset;
    };
    const Attribute attributes[] = {
        {3, offsetof(Vertex, position)}, {3, offsetof(Vertex, normal)},       {2, offsetof(Vertex, texCoords)},
        {3, offsetof(Vertex, tangent)},  {3, offsetof(Vertex, bitangent)},
    };
    for (GLuint location = 0; location < 5; ++location) {
        glEnableVertexAttribArray(location);
        glVertexAttribPointer(location, attributes[location].components, GL_FLOAT, GL_FALSE, sizeof(Vertex),
                              reinterpret_cast<void*>(attributes[location].offset));
    }
    glBindVertexArray(0);
}

void Mesh::draw(const Shader& shader) const
{
    unsigned diffuseNumber = 1;
    unsigned specularNumber = 1;
    unsigned normalNumber = 1;
    unsigned heightNumber = 1;
    for (size_t i = 0; i < textures.size(); ++i) {
        glActiveTexture(GL_TEXTURE0 + static_cast<GLenum>(i));
        const std::string& type = textures[i].type;
        unsigned* counter = nullptr;
        if (type == "texture_diffuse") counter = &diffuseNumber;
        else if (type == "texture_specular") counter = &specularNumber;
        else if (type == "texture_normal") counter = &normalNumber;
        else if (type == "texture_height") counter = &heightNumber;
        if (counter) shader.setInt(type + std::to_string((*counter)++), static_cast<int>(i));
        glBindTexture(GL_TEXTURE_2D, textures[i].id);
    }

    glBindVertexArray(vao);
    glDrawElements(GL_TRIANGLES, indexCount, GL_UNSIGNED_INT, nullptr);
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
}
