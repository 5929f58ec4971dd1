#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "render/GlObject.h"

// Both loaders always return a fresh GL texture; when the file cannot be
// decoded they print "Texture failed to load at path: " and the name as given,
// and the texture stays without an image. 1, 2, 3 and 4 channel images are
// uploaded as GL_RED, GL_RG, GL_RGB and GL_RGBA with mipmaps, repeat wrapping
// and trilinear filtering.

// Loads directory + "/" + fileName; the failure line names fileName only.
GlTexture loadModelTexture(const std::string& fileName, const std::string& directory);

// Loads a complete file name.
GlTexture loadTexture(const std::string& path);

// Owns textures for code that keeps only their names (the frame sequences):
// each load keeps the texture here, in load order, and hands out its name.
class OwnedTextures {
public:
    unsigned load(const std::string& path);
    std::size_t size() const { return textures.size(); }

private:
    std::vector<GlTexture> textures;
};
