#pragma once
#include <future>
#include <string>
#include <utility>
#include <vector>

#include "render/Vertex.h"

// A model file read into plain lists, with no GL: the part of loading a model
// that can run on any thread. The importer's own working memory (several times
// the model's size) is gone once this returns.
struct ImportedMesh {
    std::vector<Vertex> vertices;
    std::vector<unsigned> indices;
    // The material's texture files in binding order: (sampler family, file name).
    std::vector<std::pair<std::string, std::string>> textures;
};

struct ImportedModel {
    // The lines the import would have printed (refused files, "ERROR::ASSIMP:: "),
    // kept so that they print when the model is uploaded, in their usual place.
    std::string log;
    std::string directory;
    std::vector<ImportedMesh> meshes;
};

ImportedModel importModel(const std::string& path);

// Imports the files, in order, on a thread of their own, and gives the heap
// the importer used back to the system when done, so that it adds nothing to
// the peak of the uploads that follow.
std::future<std::vector<ImportedModel>> importModelsAhead(std::vector<std::string> paths);
