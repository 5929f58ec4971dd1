#pragma once
#include "sim/frame/FrameHost.h"
#include "sim/replay/ReplayFile.h"

// The window during a windowed replay: the recorded keys stand in for the
// keyboard, while events are still polled so that the real Escape key (and the
// window's close button) end the replay early. Wireframe, cursor and close
// requests go to the real window.
class ReplayHost : public FrameHost {
public:
    explicit ReplayHost(FrameHost& window) : window(window) {}

    void setFrameKeys(KeyMask recorded) { keys = recorded; }

    void pollEvents() override { window.pollEvents(); }
    bool isKeyDown(Key key) const override
    {
        return (keys & keyBit(key)) || (key == Key::Escape && window.isKeyDown(Key::Escape));
    }
    void setWireframe(bool on) override { window.setWireframe(on); }
    void setCursorVisible(bool visible) override { window.setCursorVisible(visible); }
    void requestClose() override { window.requestClose(); }

private:
    FrameHost& window;
    KeyMask keys = 0;
};
