#pragma once
#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "render/GlObject.h"

// Both loaders always return a fresh GL texture; when the file cannot be
// decoded they print (on `log`) "Texture failed to load at path: " and the name as given,
// and the texture stays without an image. 1, 2, 3 and 4 channel images are
// uploaded as GL_RED, GL_RG, GL_RGB and GL_RGBA with mipmaps, repeat wrapping
// and trilinear filtering.

// Loads directory + "/" + fileName; the failure line names fileName only.
GlTexture loadModelTexture(const std::string& fileName, const std::string& directory, std::ostream& log);

// Loads a complete file name.
GlTexture loadTexture(const std::string& path, std::ostream& log);

// A decoded image with its whole mipmap chain built on the CPU, down to 1×1:
// each level is the one before it halved (at least 1 texel) and sampled
// bilinearly at the new texel centres, which is what the GL's own mipmap
// generation does (a 2×2 average for even sizes). Made without GL, so worker
// threads can decode while the context is created; the upload then only copies.
struct DecodedImage {
    int width = 0, height = 0, channels = 0;  // all 0 when the file could not be decoded
    std::vector<unsigned char> pixels;        // every level, tightly packed, level 0 first
    std::vector<std::size_t> levelOffsets;    // where each level starts in `pixels`
    std::string path;                         // the file it came from
    std::string refusal;                      // why the file checks refused the file, if they did

    bool loaded() const { return !levelOffsets.empty(); }
};

// Checks and reads the file (a regular file under the image size cap), reads
// the picture's size from its header so that a small file that would decode to
// gigabytes is never decoded, then decodes it and builds its mipmaps. Touches
// no GL and prints nothing, so it is safe on any thread.
DecodedImage decodeImage(const std::string& path);

// A fresh texture with the image's levels, or, for an image that did not
// decode, the refusal line (if the file checks refused it), the failure line
// naming `reportedName` and a texture without image.
GlTexture uploadImage(const DecodedImage& image, const std::string& reportedName, std::ostream& log);

// Owns textures for code that keeps only their names (the frame sequences):
// each load keeps the texture here, in load order, and hands out its name.
class OwnedTextures {
public:
    unsigned load(const std::string& path, std::ostream& log);
    unsigned keep(GlTexture texture);
    std::size_t size() const { return textures.size(); }

private:
    std::vector<GlTexture> textures;
};
