#include "platform/WindowCallbacks.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include "sim/frame/KeyHandler.h"

namespace {

void onFramebufferSize(GLFWwindow*, int width, int height)
{
    // Only the viewport follows the window; render targets keep the start-up size.
    glViewport(0, 0, width, height);
}

void onCursorPos(GLFWwindow* window, double x, double y)
{
    auto* targets = static_cast<WindowTargets*>(glfwGetWindowUserPointer(window));
    if (targets && targets->input && targets->camera) handleCursorMove(*targets->input, *targets->camera, x, y);
}

void onInactive(GLFWwindow* window)
{
    auto* targets = static_cast<WindowTargets*>(glfwGetWindowUserPointer(window));
    if (targets) targets->wentInactive = true;
}

void onFocus(GLFWwindow* window, int focused)
{
    if (!focused) onInactive(window);
}

void onIconify(GLFWwindow* window, int iconified)
{
    if (iconified) onInactive(window);
}

void onScroll(GLFWwindow*, double, double)
{
    // The field of view is fixed at start-up; the wheel does nothing.
}

}  // namespace

void installWindowCallbacks(GLFWwindow* window)
{
    glfwSetFramebufferSizeCallback(window, onFramebufferSize);
    glfwSetCursorPosCallback(window, onCursorPos);
    glfwSetScrollCallback(window, onScroll);
    glfwSetWindowFocusCallback(window, onFocus);
    glfwSetWindowIconifyCallback(window, onIconify);
}
