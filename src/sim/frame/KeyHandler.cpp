#include "sim/frame/KeyHandler.h"

#include "sim/frame/Camera.h"
#include "sim/frame/FrameHost.h"
#include "sim/frame/InputState.h"

#include <ostream>

KeyHandler::KeyHandler(InputState& input, Camera& camera, FrameHost& host, bool debug, std::ostream& log)
    : input(input), camera(camera), host(host), debug(debug), log(log)
{
}

bool KeyHandler::pressEdge(Key key)
{
    const bool down = host.isKeyDown(key);
    bool& wasUp = input.wasUp[static_cast<size_t>(key)];
    const bool fired = down && wasUp;
    wasUp = !down;
    return fired;
}

void KeyHandler::processKeys(float deltaTime)
{
    auto down = [this](Key k) { return host.isKeyDown(k); };
    auto edge = [this](Key k) { return pressEdge(k); };

    if (input.useGameCamera) {
        if (down(Key::W)) input.moveForwardRequested = true;
        if (down(Key::A)) input.moveLeftRequested = true;
        if (down(Key::S)) input.moveBackRequested = true;
        if (down(Key::D)) input.moveRightRequested = true;
        if (down(Key::Space)) input.gameStarted = true;
        if (edge(Key::Space)) input.jumpRequested = true;
        if (edge(Key::Tab)) input.switchSideRequested = true;
    } else {
        const float v = camera.moveSpeed * deltaTime;
        if (down(Key::A)) camera.position -= camera.right * v;
        if (down(Key::D)) camera.position += camera.right * v;
        if (down(Key::W)) camera.position += camera.front * v;
        if (down(Key::S)) camera.position -= camera.front * v;
    }

    if (edge(Key::P)) input.paused = !input.paused;
    if (edge(Key::F2)) input.hudVisible = !input.hudVisible;
    if (edge(Key::F8)) input.cullingEnabled = !input.cullingEnabled;

    if (debug) {
        if (edge(Key::F1)) {
            input.wireframe = !input.wireframe;
            host.setWireframe(input.wireframe);
        }
        if (edge(Key::F3)) {
            if (input.useGameCamera) {
                input.useGameCamera = false;
                camera.freeFly = true;
                camera.moveSpeed = 25.0f;
                log << "Game Camera OFF\n";
            } else {
                input.useGameCamera = true;
                camera.freeFly = false;
                log << "Game Camera ON\n";
            }
        }
        if (edge(Key::F4)) {
            input.cursorShown = !input.cursorShown;
            host.setCursorVisible(input.cursorShown);
            log << (input.cursorShown ? "Mouse Cursor ON\n" : "Mouse Cursor OFF\n");
        }
    }

    if (down(Key::Escape)) host.requestClose();
}

void handleCursorMove(InputState& input, Camera& camera, double x, double y)
{
    const float xf = static_cast<float>(x);
    const float yf = static_cast<float>(y);
    if (input.firstMouse) {
        input.firstMouse = false;
        input.lastCursorX = xf;
        input.lastCursorY = yf;
    }
    // The offsets are taken from the exact cursor position; only the stored
    // reference is narrowed, so far from the origin no movement is lost.
    const float dx = static_cast<float>(x - input.lastCursorX);
    const float dy = static_cast<float>(input.lastCursorY - y);
    input.lastCursorX = xf;
    input.lastCursorY = yf;
    camera.processMouseMovement(dx, dy);
}
