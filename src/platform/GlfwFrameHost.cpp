#include "platform/GlfwFrameHost.h"

#include <GLFW/glfw3.h>

namespace {

int glfwKeyFor(Key key)
{
    switch (key) {
    case Key::W: return GLFW_KEY_W;
    case Key::A: return GLFW_KEY_A;
    case Key::S: return GLFW_KEY_S;
    case Key::D: return GLFW_KEY_D;
    case Key::Space: return GLFW_KEY_SPACE;
    case Key::Tab: return GLFW_KEY_TAB;
    case Key::F1: return GLFW_KEY_F1;
    case Key::F2: return GLFW_KEY_F2;
    case Key::F3: return GLFW_KEY_F3;
    case Key::F4: return GLFW_KEY_F4;
    case Key::F8: return GLFW_KEY_F8;
    case Key::Escape: return GLFW_KEY_ESCAPE;
    case Key::P: return GLFW_KEY_P;
    case Key::R: return GLFW_KEY_R;
    case Key::N: return GLFW_KEY_N;
    case Key::Count: break;
    }
    return GLFW_KEY_UNKNOWN;
}

}  // namespace

void GlfwFrameHost::pollEvents() { glfwPollEvents(); }

bool GlfwFrameHost::isKeyDown(Key key) const { return glfwGetKey(window, glfwKeyFor(key)) == GLFW_PRESS; }

// The renderer sets the polygon mode around the scene passes from the frame's
// view; a global mode here would also turn the blur and composite quads into lines.
void GlfwFrameHost::setWireframe(bool) {}

void GlfwFrameHost::setCursorVisible(bool visible)
{
    glfwSetInputMode(window, GLFW_CURSOR, visible ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);
}

void GlfwFrameHost::requestClose() { glfwSetWindowShouldClose(window, GLFW_TRUE); }

void GlfwFrameHost::gameDecided()
{
    if (retry)
        decided = true;
    else
        requestClose();
}
