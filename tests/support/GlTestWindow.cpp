#include "support/GlTestWindow.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <thread>

GlTestWindow::GlTestWindow(int width, int height)
{
    // Xvfb resets itself when its last client disconnects, and a connection
    // attempted during that reset is refused; the next attempt succeeds.
    bool initialised = false;
    for (int attempt = 0; attempt < 10 && !initialised; ++attempt) {
        initialised = glfwInit();
        if (!initialised) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (!initialised) return;
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
    window = glfwCreateWindow(width, height, "gl test", nullptr, nullptr);
    if (window) glfwMakeContextCurrent(window);
}

GlTestWindow::~GlTestWindow()
{
    if (window) glfwDestroyWindow(window);
    glfwTerminate();
}
