#pragma once
#include <string>

struct GLFWwindow;

// A hidden window with a current OpenGL 4.6 core context, for tests that need
// real GL objects. Under Xvfb the context comes from Mesa's software renderer.
class GlTestWindow {
public:
    GlTestWindow(int width = 320, int height = 180);
    ~GlTestWindow();
    GlTestWindow(const GlTestWindow&) = delete;
    GlTestWindow& operator=(const GlTestWindow&) = delete;

    bool ok() const { return window != nullptr; }
    GLFWwindow* window = nullptr;
};


#include "support/CaptureStdout.h"
