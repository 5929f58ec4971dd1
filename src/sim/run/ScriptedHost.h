#pragma once
#include <array>
#include <cstddef>
#include <vector>

#include "sim/frame/FrameHost.h"

// The window stand-in for a run without a window: the keys of each frame are
// set by whoever drives the run (a key script, a test), and what the game asks
// of the window (close, wireframe, cursor) is recorded instead of done.
class ScriptedHost : public FrameHost {
public:
    void pollEvents() override { ++polls; }
    bool isKeyDown(Key key) const override { return keys[static_cast<size_t>(key)]; }
    void setWireframe(bool on) override { wireframe = on; }
    void setCursorVisible(bool visible) override { cursorVisible = visible; }
    void requestClose() override { closing = true; }
    MenuFrameInput menuInput(float, float) override
    {
        MenuFrameInput input;
        input.held = menuButtons;
        return input;
    }
    MenuButtons menuHeld() const override { return menuButtons; }

    // Exactly these keys are down from now on.
    void hold(const std::vector<Key>& held);
    void press(Key key) { keys[static_cast<size_t>(key)] = true; }
    void releaseAll() { keys.fill(false); }

    std::array<bool, static_cast<size_t>(Key::Count)> keys{};
    int polls = 0;  // frames that read the window's events (every frame, the warm-up's too)
    bool wireframe = false;
    bool cursorVisible = false;
    bool closing = false;
    MenuButtons menuButtons = 0;  // the menu buttons held
};
