#pragma once
#include <string>

// Both loaders always return a fresh GL texture name; when the file cannot be
// decoded they print "Texture failed to load at path: " and the name as given,
// and the texture stays without an image. 1, 2, 3 and 4 channel images are
// uploaded as GL_RED, GL_RG, GL_RGB and GL_RGBA with mipmaps, repeat wrapping
// and trilinear filtering.

// Loads directory + "/" + fileName; the failure line names fileName only.
unsigned loadModelTexture(const std::string& fileName, const std::string& directory);

// Loads a complete file name.
unsigned loadTexture(const std::string& path);
