#pragma once
#include <string>
#include <vector>

#include "render/GlObject.h"
#include "render/Mesh.h"
#include "render/Shader.h"
#include "render/Texture.h"

struct aiMaterial;
struct aiMesh;
struct aiNode;
struct aiScene;

// A model file turned into GPU meshes with their material textures. Each
// texture file is loaded once per model; a failed import prints
// "ERROR::ASSIMP:: " with the importer's message and leaves the model empty.
// A model owns its meshes and textures: it moves but never copies.
class Model {
public:
    Model() = default;
    explicit Model(const std::string& path);
    Model(const Model&) = delete;
    Model& operator=(const Model&) = delete;
    Model(Model&&) noexcept = default;
    Model& operator=(Model&&) noexcept = default;

    // Draws every mesh in file order; the program must already be current.
    void draw(const Shader& shader) const;

    void importScene(const std::string& path);
    void visitNode(const aiNode* node, const aiScene* scene);
    Mesh convertMesh(const aiMesh* mesh, const aiScene* scene);
    std::vector<Texture> collectMaterialTextures(const aiMaterial* material, int textureType, const std::string& typeName);

    // One entry per texture file, in load order; textureObjects[i] owns the
    // GL texture named by loadedTextures[i].
    std::vector<Texture> loadedTextures;
    std::vector<GlTexture> textureObjects;
    std::vector<Mesh> meshes;
    std::string directory;
};
