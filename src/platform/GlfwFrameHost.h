#pragma once
#include "sim/frame/FrameHost.h"

struct GLFWwindow;

// The frame logic's view of the real window: GLFW events, key polling,
// cursor mode and the close flag (the polygon mode is the renderer's).
class GlfwFrameHost : public FrameHost {
public:
    explicit GlfwFrameHost(GLFWwindow* window) : window(window) {}

    void pollEvents() override;
    bool isKeyDown(Key key) const override;
    void setWireframe(bool on) override;
    void setCursorVisible(bool visible) override;
    void requestClose() override;
    // With the settings' retry on, a decided game stays open: `decided` tells
    // the loop to offer R and N.
    void gameDecided() override;

    bool retry = false;
    bool decided = false;

private:
    GLFWwindow* window;
};
