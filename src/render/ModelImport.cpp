#include "render/ModelImport.h"

#include <assimp/DefaultIOSystem.h>
#include <assimp/IOStream.hpp>
#include <assimp/Importer.hpp>
#include <assimp/material.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cstring>
#include <sstream>

#include "core/FileCheck.h"
#include "core/HeapPolicy.h"

namespace {

// The files Assimp reads (the model and the files it names, such as material
// libraries), each opened once through the file checks and served from the
// bytes read: a refused file reads as missing, so the importer reports it as
// it reports a missing one, and no file is opened a second time by path.
class CheckedBytesStream : public Assimp::IOStream {
public:
    explicit CheckedBytesStream(std::string bytes) : bytes(std::move(bytes)) {}
    size_t Read(void* buffer, size_t size, size_t count) override
    {
        if (size == 0) return 0;
        const size_t whole = std::min(count, (bytes.size() - at) / size);
        std::memcpy(buffer, bytes.data() + at, whole * size);
        at += whole * size;
        return whole;
    }
    size_t Write(const void*, size_t, size_t) override { return 0; }
    aiReturn Seek(size_t offset, aiOrigin origin) override
    {
        const size_t base = origin == aiOrigin_SET ? 0 : origin == aiOrigin_CUR ? at : bytes.size();
        if (offset > bytes.size() - base) return aiReturn_FAILURE;
        at = base + offset;
        return aiReturn_SUCCESS;
    }
    size_t Tell() const override { return at; }
    size_t FileSize() const override { return bytes.size(); }
    void Flush() override {}

private:
    std::string bytes;
    size_t at = 0;
};

class CheckedIOSystem : public Assimp::DefaultIOSystem {
public:
    explicit CheckedIOSystem(std::ostream& log) : log(log) {}
    // Existence only: nothing is read until the importer opens the file.
    bool Exists(const char* path) const override { return DefaultIOSystem::Exists(path); }
    Assimp::IOStream* Open(const char* path, const char* mode) override
    {
        if (std::strchr(mode, 'w') || std::strchr(mode, 'a') || std::strchr(mode, '+')) return nullptr;
        CheckedFile file = readCheckedFile(path, FileKind::Model, log);
        if (!file.bytes) return nullptr;
        return new CheckedBytesStream(std::move(*file.bytes));
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
