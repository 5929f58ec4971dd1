#include "render/Model.h"

#include <ostream>
#include <utility>

#include "render/TextureLoader.h"

Model::Model(const std::string& path, std::ostream& log) : Model(importModel(path), log) {}

Model::Model(ImportedModel imported, std::ostream& log) : directory(std::move(imported.directory))
{
    log << imported.log;
    for (ImportedMesh& mesh : imported.meshes) {
        std::vector<Texture> textures;
        for (const auto& [typeName, fileName] : mesh.textures) textures.push_back(materialTexture(typeName, fileName, log));
        meshes.emplace_back(mesh.vertices, mesh.indices, std::move(textures));
        // The GL holds its own copy now.
        mesh.vertices = {};
        mesh.indices = {};
    }
}

void Model::draw(const Shader& shader) const
{
    for (const Mesh& mesh : meshes) mesh.draw(shader);
}

Texture Model::materialTexture(const std::string& typeName, const std::string& fileName, std::ostream& log)
{
    for (const Texture& loaded : loadedTextures) {
        // The copy keeps the type the file was first loaded under.
        if (loaded.path == fileName) return loaded;
    }
    textureObjects.push_back(loadModelTexture(fileName, directory, log));
    Texture texture;
    texture.id = textureObjects.back();
    texture.type = typeName;
    texture.path = fileName;
    loadedTextures.push_back(texture);
    return texture;
}
