#include "render/ModelImport.h"

#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <sstream>

#include "core/FileCheck.h"
#include "core/HeapPolicy.h"

namespace {

// Assimp's own file access, with every file it opens (the model and the files
// it names, such as material libraries) checked first: a refused file reads as
// missing, so the importer reports it as it reports a missing one.
class CheckedIOSystem : public Assimp::DefaultIOSystem {
public:
    explicit CheckedIOSystem(std::ostream& log) : log(log) {}
    bool Exists(const char* path) const override
    {
        return fileAllowed(path, FileKind::Model, log) && DefaultIOSystem::Exists(path);
    }
    Assimp::IOStream* Open(const char* path, const char* mode) override
    {
        if (!fileAllowed(path, FileKind::Model, log)) return nullptr;
        return DefaultIOSystem::Open(path, mode);
    }

private:
    std::ostream& log;
};

glm::vec3 toVec3(const aiVector3D& value)
{
    return glm::vec3(value.x, value.y, value.z);
}

std::vector<std::pair<std::string, std::string>> materialTextures(const aiMaterial* material)
{
    // Normal maps come from the material's height slot, height maps from its ambient slot.
    const std::pair<aiTextureType, const char*> slots[] = {
        {aiTextureType_DIFFUSE, "texture_diffuse"},
        {aiTextureType_SPECULAR, "texture_specular"},
        {aiTextureType_HEIGHT, "texture_normal"},
        {aiTextureType_AMBIENT, "texture_height"},
    };
    std::vector<std::pair<std::string, std::string>> textures;
    for (const auto& [type, family] : slots) {
        const unsigned count = aiGetMaterialTextureCount(material, type);
        for (unsigned i = 0; i < count; ++i) {
            aiString name;
            aiGetMaterialTexture(material, type, i, &name);
            textures.emplace_back(family, std::string(name.C_Str(), name.length));
        }
    }
    return textures;
}

ImportedMesh convertMesh(const aiMesh* mesh, const aiScene* scene)
{
    ImportedMesh out;
    out.vertices.reserve(mesh->mNumVertices);
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
        out.vertices.push_back(vertex);
    }
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        out.indices.insert(out.indices.end(), face.mIndices, face.mIndices + face.mNumIndices);
    }
    if (static_cast<int>(mesh->mMaterialIndex) >= 0)
        out.textures = materialTextures(scene->mMaterials[mesh->mMaterialIndex]);
    return out;
}

void visitNode(const aiNode* node, const aiScene* scene, std::vector<ImportedMesh>& meshes)
{
    for (unsigned i = 0; i < node->mNumMeshes; ++i) {
        const aiMesh* mesh = scene->mMeshes[node->mMeshes[i]];
        // A mesh without vertices or faces has nothing to draw and nothing to upload.
        if (mesh->mNumVertices == 0 || mesh->mNumFaces == 0) continue;
        meshes.push_back(convertMesh(mesh, scene));
    }
    for (unsigned i = 0; i < node->mNumChildren; ++i) visitNode(node->mChildren[i], scene, meshes);
}

}  // namespace

ImportedModel importModel(const std::string& path)
{
    ImportedModel model;
    std::ostringstream log;
    {
        Assimp::Importer importer;
        importer.SetIOHandler(new CheckedIOSystem(log));  // the importer owns it
        const aiScene* scene =
            importer.ReadFile(path, aiProcess_Triangulate | aiProcess_FlipUVs | aiProcess_CalcTangentSpace);
        if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) || !scene->mRootNode) {
            log << "ERROR::ASSIMP:: " << importer.GetErrorString() << "\n";
        } else {
            const size_t slash = path.find_last_of('/');
            model.directory = slash == std::string::npos ? path : path.substr(0, slash);
            visitNode(scene->mRootNode, scene, model.meshes);
        }
    }
    model.log = log.str();
    return model;
}

std::future<std::vector<ImportedModel>> importModelsAhead(std::vector<std::string> paths)
{
    return std::async(std::launch::async, [paths = std::move(paths)] {
        std::vector<ImportedModel> models;
        for (const std::string& path : paths) models.push_back(importModel(path));
        returnFreeHeapPages();  // the importers' heap, before the textures need room
        return models;
    });
}
