#include "render/Model.h"

#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <iostream>

#include "core/FileCheck.h"
#include "render/TextureLoader.h"

namespace {

// Assimp's own file access, with every file it opens (the model and the files
// it names, such as material libraries) checked first: a refused file reads as
// missing, so the importer reports it as it reports a missing one.
class CheckedIOSystem : public Assimp::DefaultIOSystem {
public:
    bool Exists(const char* path) const override
    {
        return fileAllowed(path, FileKind::Model, std::cout) && DefaultIOSystem::Exists(path);
    }
    Assimp::IOStream* Open(const char* path, const char* mode) override
    {
        if (!fileAllowed(path, FileKind::Model, std::cout)) return nullptr;
        return DefaultIOSystem::Open(path, mode);
    }
};

glm::vec3 toVec3(const aiVector3D& value)
{
    return glm::vec3(value.x, value.y, value.z);
}

}  // namespace

Model::Model(const std::string& path)
{
    importScene(path);
}

void Model::draw(const Shader& shader) const
{
    for (const Mesh& mesh : meshes) mesh.draw(shader);
}

void Model::importScene(const std::string& path)
{
    Assimp::Importer importer;
    importer.SetIOHandler(new CheckedIOSystem);  // the importer owns it
    const aiScene* scene = importer.ReadFile(path, aiProcess_Triangulate | aiProcess_FlipUVs | aiProcess_CalcTangentSpace);
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) || !scene->mRootNode) {
        std::cout << "ERROR::ASSIMP:: " << importer.GetErrorString() << "\n";
        return;
    }
    size_t slash = path.find_last_of('/');
    directory = slash == std::string::npos ? path : path.substr(0, slash);
    visitNode(scene->mRootNode, scene);
}

void Model::visitNode(const aiNode* node, const aiScene* scene)
{
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        const aiMesh* mesh = scene->mMeshes[node->mMeshes[i]];
        // A mesh without vertices or faces has nothing to draw and nothing to upload.
        if (mesh->mNumVertices == 0 || mesh->mNumFaces == 0) continue;
        meshes.push_back(convertMesh(mesh, scene));
    }
    for (unsigned i = 0; i < node->mNumChildren; ++i) visitNode(node->mChildren[i], scene);
}

Mesh Model::convertMesh(const aiMesh* mesh, const aiScene* scene)
{
    std::vector<Vertex> vertices;
    vertices.reserve(mesh->mNumVertices);
    // Missing normals, tangents or texture coordinates read as zero vectors.
    const glm::vec3 zero(0.0f);
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
        Vertex vertex;
        vertex.position = toVec3(mesh->mVertices[i]);
        vertex.normal = mesh->mNormals ? toVec3(mesh->mNormals[i]) : zero;
        vertex.tangent = mesh->mTangents ? toVec3(mesh->mTangents[i]) : zero;
        vertex.bitangent = mesh->mBitangents ? toVec3(mesh->mBitangents[i]) : zero;
        vertex.texCoords = mesh->mTextureCoords[0]
                               ? glm::vec2(mesh->mTextureCoords[0][i].x, mesh->mTextureCoords[0][i].y)
                               : glm::vec2(0.0f);
        vertices.push_back(vertex);
    }

    std::vector<unsigned> indices;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        indices.insert(indices.end(), face.mIndices, face.mIndices + face.mNumIndices);
    }

    std::vector<Texture> textures;
    if (static_cast<int>(mesh->mMaterialIndex) >= 0) {
        const aiMaterial* material = scene->mMaterials[mesh->mMaterialIndex];
        // Normal maps come from the material's height slot, height maps from its ambient slot.
        const std::pair<aiTextureType, const char*> slots[] = {
            {aiTextureType_DIFFUSE, "texture_diffuse"},
            {aiTextureType_SPECULAR, "texture_specular"},
            {aiTextureType_HEIGHT, "texture_normal"},
            {aiTextureType_AMBIENT, "texture_height"},
        };
        for (const auto& [type, name] : slots) {
            std::vector<Texture> found = collectMaterialTextures(material, type, name);
            textures.insert(textures.end(), found.begin(), found.end());
        }
    }
    return Mesh(std::move(vertices), std::move(indices), std::move(textures));
}

std::vector<Texture> Model::collectMaterialTextures(const aiMaterial* material, int textureType, const std::string& typeName)
{
    std::vector<Texture> textures;
    const aiTextureType type = static_cast<aiTextureType>(textureType);
    const unsigned count = aiGetMaterialTextureCount(material, type);
    for (unsigned i = 0; i < count; ++i) {
        aiString name;
        aiGetMaterialTexture(material, type, i, &name);
        const std::string fileName(name.C_Str(), name.length);
        bool reused = false;
        for (const Texture& loaded : loadedTextures) {
            if (loaded.path == fileName) {
                // The copy keeps the type the file was first loaded under.
                textures.push_back(loaded);
                reused = true;
                break;
            }
        }
        if (reused) continue;
        textureObjects.push_back(loadModelTexture(fileName, directory));
        Texture texture;
        texture.id = textureObjects.back();
        texture.type = typeName;
        texture.path = fileName;
        textures.push_back(texture);
        loadedTextures.push_back(texture);
    }
    return textures;
}
