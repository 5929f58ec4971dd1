#include "platform/WindowIcon.h"

// The renderer's headers bring libepoxy's GL, which must come before GLFW's.
#include "render/TextureLoader.h"

#include <GLFW/glfw3.h>

#include <vector>

void setWindowIcon(GLFWwindow* window, const std::string& assetPath)
{
    std::vector<DecodedImage> pictures;
    for (const char* size : {"32", "48", "256"}) {
        DecodedImage picture = decodeImage(assetPath + "/icons/vaultrise_" + size + ".png");
        if (picture.loaded() && picture.channels == 4) pictures.push_back(std::move(picture));
    }
    if (pictures.empty()) return;
    std::vector<GLFWimage> images;
    // Level 0 of each decoded chain is the picture itself, RGBA rows from the top.
    for (DecodedImage& picture : pictures) images.push_back({picture.width, picture.height, picture.pixels.data()});
    glfwSetWindowIcon(window, static_cast<int>(images.size()), images.data());
}
