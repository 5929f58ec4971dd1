#pragma once
#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

#include "support/CaptureStdout.h"  // the GL tests capture the game's console lines

// A hidden window with a current OpenGL 4.6 core context, for tests that need
// real GL objects. Under Xvfb the context comes from Mesa's software renderer.
class GlTestWindow {
public:
    GlTestWindow(int width = 320, int height = 180)
    {
        if (!glfwInit()) return;
        glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
        glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
        glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
        glfwWindowHint(GLFW_VISIBLE, GLFW_FALSE);
        window = glfwCreateWindow(width, height, "gl test", nullptr, nullptr);
        if (window) glfwMakeContextCurrent(window);
    }
    ~GlTestWindow()
    {
        if (window) glfwDestroyWindow(window);
        glfwTerminate();
    }
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    bool ok() const { return window != nullptr; }
    GLFWwindow* window = nullptr;
};
