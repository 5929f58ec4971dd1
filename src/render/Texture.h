#pragma once
#include <string>

// A material texture of a model: its GL name (the model owns the texture;
// meshes only refer to it), the sampler family it binds to ("texture_diffuse",
// "texture_specular", "texture_normal", "texture_height") and the file name
// exactly as the material gives it.
struct Texture {
    unsigned id = 0;
    std::string type;
    std::string path;
};
