#pragma once
#include "sim/frame/FrameClock.h"
#include "sim/frame/FrameHost.h"

// The window while a replay is practised: the recorded keys until the player
// takes over, the window's own keys after. The window's events are always
// polled, so its Escape key and close button work throughout.
class PracticeHost : public FrameHost {
public:
    explicit PracticeHost(FrameHost& window) : window(window) {}

    void setRecordedKeys(KeyMask keys) { recorded = keys; }
    void takeOver() { live = true; }
    bool isLive() const { return live; }

    void pollEvents() override { window.pollEvents(); }
    bool isKeyDown(Key key) const override
    {
        if (live) return window.isKeyDown(key);
        return (recorded & keyBit(key)) || (key == Key::Escape && window.isKeyDown(Key::Escape));
    }
    void setWireframe(bool on) override { window.setWireframe(on); }
    void setCursorVisible(bool visible) override { window.setCursorVisible(visible); }
    void requestClose() override { window.requestClose(); }
    bool isWindowKeyDown(WindowKey key) const override { return live && window.isWindowKeyDown(key); }

private:
    FrameHost& window;
    KeyMask recorded = 0;
    bool live = false;
};

// The clock of a practised replay: each recorded deltaTime exactly until the
// take-over, the window system's clock after.
class PracticeClock : public FrameClock {
public:
    explicit PracticeClock(std::function<float()> now) : live(std::move(now)) {}

    void lastExactly(float deltaTime) { recorded.lastExactly(deltaTime); }
    // From the next frame on the window's clock runs, counted from now.
    void takeOver(FrameState& frame)
    {
        taken = true;
        live.sessionStarted(frame);
    }
    float nextDeltaTime(FrameState& frame) override
    {
        return taken ? live.nextDeltaTime(frame) : recorded.nextDeltaTime(frame);
    }
    void sessionStarted(FrameState& frame) override
    {
        if (taken) live.sessionStarted(frame);
        else recorded.sessionStarted(frame);
    }

private:
    ScriptClock recorded;
    ReadClock live;
    bool taken = false;
};
