#pragma once
#include <iosfwd>
#include <string>
#include <vector>

#include "render/GlObject.h"
#include "render/Mesh.h"
#include "render/ModelImport.h"
#include "render/Shader.h"
#include "render/Texture.h"

// A model file turned into GPU meshes with their material textures. Each
// texture file is loaded once per model; a failed import prints
// "ERROR::ASSIMP:: " with the importer's message and leaves the model empty.
// A model owns its meshes and textures: it moves but never copies.
class Model {
public:
    Model() = default;
    // Imports the file here and now, then uploads it.
    Model(const std::string& path, std::ostream& log);
    // Prints the import's lines, then uploads its meshes and loads their
    // textures; the vertex and index lists are freed once uploaded.
    Model(ImportedModel imported, std::ostream& log);
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    Model(Model&&) noexcept = default;
    Model& operator=(Model&&) noexcept = default;

    // Draws every mesh in file order; the program must already be current.
    void draw(const Shader& shader) const;

    // One entry per texture file, in load order; textureObjects[i] owns the
    // GL texture named by loadedTextures[i].
    std::vector<Texture> loadedTextures;
    std::vector<GlTexture> textureObjects;
    std::vector<Mesh> meshes;
    std::string directory;

private:
    Texture materialTexture(const std::string& typeName, const std::string& fileName, std::ostream& log);
};
