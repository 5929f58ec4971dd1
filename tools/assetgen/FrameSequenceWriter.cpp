#include "FrameSequenceWriter.h"

#include <cstdio>
#include <iostream>
#include <vector>

#include <gif_lib.h>

#include "PaletteQuantizer.h"

namespace {

constexpr float kTwoPi = 6.28318530718f;

std::string frameName(const std::string& directory, const std::string& prefix, int digits, int n)
{
    char number[16];
    std::snprintf(number, sizeof number, "%0*d", digits, n);
    return directory + "/" + prefix + number + ".gif";
}

bool writeGif(const std::string& path, int size, const std::vector<uint8_t>& indices, const PaletteQuantizer& quantizer)
{
    int error = 0;
    GifFileType* gif = EGifOpenFileName(path.c_str(), false, &error);
    if (!gif) return false;
    EGifSetGifVersion(gif, true);  // GIF89a

    GifColorType colors[256];
    const auto& palette = quantizer.colors();
    for (int i = 0; i < 256; ++i) colors[i] = {palette[i][0], palette[i][1], palette[i][2]};
    ColorMapObject* map = GifMakeMapObject(256, colors);

    bool ok = EGifPutScreenDesc(gif, size, size, 8, 0, map) == GIF_OK &&
              EGifPutImageDesc(gif, 0, 0, size, size, false, nullptr) == GIF_OK;
    for (int y = 0; ok && y < size; ++y)
        ok = EGifPutLine(gif, const_cast<GifPixelType*>(&indices[static_cast<size_t>(y) * size]), size) == GIF_OK;
    GifFreeMapObject(map);
    if (EGifCloseFile(gif, &error) != GIF_OK) ok = false;
    return ok;
}

}  // namespace

bool FrameSequenceWriter::write(const std::string& directory, const std::string& prefix, int digits, int count,
                                int size, const Painter& painter)
{
    // Paint every frame first: the shared palette needs all of them.
    std::vector<std::vector<uint8_t>> frames;
    PaletteQuantizer quantizer;
    for (int k = 0; k < count; ++k) {
        Image image(size, size);
        painter(image, k, kTwoPi * static_cast<float>(k) / static_cast<float>(count));
        frames.push_back(image.toBytes(3));
        quantizer.addFrame(frames.back());
    }
    quantizer.build();
    for (int k = 0; k < count; ++k) {
        const std::string path = frameName(directory, prefix, digits, k);
        if (!writeGif(path, size, quantizer.map(frames[k]), quantizer)) {
            std::cout << "Cannot write " << path << "\n";
            return false;
        }
    }
    return true;
}
