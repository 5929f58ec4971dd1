#include "render/TextureLoader.h"

#include <epoxy/gl.h>

#include <iostream>

#include <stb/stb_image.h>

#include "core/FileCheck.h"

namespace {

GLenum formatForChannels(int channels)
{
    switch (channels) {
    case 1: return GL_RED;
    case 2: return GL_RG;  // grey + alpha images keep both channels
    case 3: return GL_RGB;
    default: return GL_RGBA;
    }
}

// `reportedName` is what the failure line shows, which need not be the path read.
GlTexture loadTextureFile(const std::string& path, const std::string& reportedName)
{
    GlTexture texture = GlTexture::create();

    // The file is checked and read first; the picture's size comes from its
    // header, so a small file that would decode to gigabytes is never decoded.
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = nullptr;
    const CheckedFile file = readCheckedFile(path, FileKind::Image, std::cout);
    if (file.bytes) {
        const auto* data = reinterpret_cast<const stbi_uc*>(file.bytes->data());
        const int size = static_cast<int>(file.bytes->size());
        if (stbi_info_from_memory(data, size, &width, &height, &channels)) {
            const std::string why = imageSizeRefusal(width, height);
            if (why.empty())
                pixels = stbi_load_from_memory(data, size, &width, &height, &channels, 0);
            else
                reportRefusedFile(std::cout, path, why);
        }
    }
    if (!pixels) {
        std::cout << "Texture failed to load at path: " << reportedName << "\n";
        return texture;
    }

    GLenum format = formatForChannels(channels);
    glBindTexture(GL_TEXTURE_2D, texture);
    // Decoded rows are tightly packed, which the default 4-byte alignment
    // would misread for 1-3 channel images of odd widths.
    int previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(format), width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    stbi_image_free(pixels);
    return texture;
}

}  // namespace

GlTexture loadModelTexture(const std::string& fileName, const std::string& directory)
{
    return loadTextureFile(directory + "/" + fileName, fileName);
}

GlTexture loadTexture(const std::string& path)
{
    return loadTextureFile(path, path);
}

unsigned OwnedTextures::load(const std::string& path)
{
    textures.push_back(loadTexture(path));
    return textures.back();
}
