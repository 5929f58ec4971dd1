#pragma once
#include <array>
#include <functional>

#include "sim/frame/FrameHost.h"

// A window stand-in for headless tests: keys are set by the test, and the
// host records what the game asked of the window.
class FakeHost : public FrameHost {
public:
    void pollEvents() override
    {
        ++polls;
        if (onPoll) onPoll();
    }
    bool isKeyDown(Key key) const override { return keys[static_cast<size_t>(key)]; }
    void setWireframe(bool on) override { wireframe = on; }
    void setCursorVisible(bool visible) override { cursorVisible = visible; }
    void requestClose() override { closing = true; }

    void press(Key key) { keys[static_cast<size_t>(key)] = true; }
    void release(Key key) { keys[static_cast<size_t>(key)] = false; }
    void releaseAll() { keys.fill(false); }

    std::array<bool, static_cast<size_t>(Key::Count)> keys{};
    std::function<void()> onPoll;
    int polls = 0;
    bool wireframe = false;
    bool cursorVisible = false;
    bool closing = false;
};
