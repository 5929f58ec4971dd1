// The memory floor of the game's textures: a hidden window with the game's
// context, then every start-up image (the seven textures and the frames, as
// the settings name them) decoded and uploaded one after the other through
// the game's own loader, nothing else. Prints peak resident memory with the
// bare context and after the uploads; docs/performance.md compares the game
// with it.
#include <epoxy/gl.h>
#include <GLFW/glfw3.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstring>
#include <iostream>
#include <vector>

#include "core/IniFile.h"
#include "render/SceneRenderer.h"
#include "sim/settings/StartupConfig.h"

namespace {

double peakResidentMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace

int main(int argc, char** argv)
{
    const bool animations = !(argc > 1 && std::strcmp(argv[1], "--no-animations") == 0);
    IniFile settings("assets/settings/settings.ini", std::cerr);
    const std::string assetPath = settings.getString("general", "assetPath", "../assets");
    if (!glfwInit()) return 1;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_SAMPLES, 4);
    GLFWwindow* window = glfwCreateWindow(640, 360, "upload floor", nullptr, nullptr);
    if (!window) return 1;
    glfwMakeContextCurrent(window);
    std::printf("peak resident memory, context only (MiB) %8.2f\n", peakResidentMiB());

    StartupConfig config;
    config.assetPath = assetPath;
    config.animations = animations;
    std::vector<GlTexture> textures;
    for (const std::string& path : SceneRenderer::startupImagePaths(config)) textures.push_back(loadTexture(path, std::cout));
    std::printf("peak resident memory, %zu images (MiB) %8.2f\n", textures.size(), peakResidentMiB());
    textures.clear();
    glfwTerminate();
    return 0;
}
