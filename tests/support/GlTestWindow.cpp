#include "support/GlTestWindow.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

GlTestWindow::GlTestWindow(int width, int height)
{
    if (!glfwInit()) return;
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
