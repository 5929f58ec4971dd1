#pragma once
#include <memory>

#include "sim/frame/FrameHost.h"
#include "sim/frame/FrameState.h"
#include "sim/frame/Key.h"
#include "sim/frame/MenuGate.h"
#include "sim/replay/KeyTap.h"
#include "sim/view/FrameRateMeter.h"
#include "sim/view/FrameView.h"

class FrameClock;
class FrameHost;
class GameLoop;
class RunFlow;

// Runs the frames of a whole run the one way the game has: the play in the
// window, a replay in the window, the benchmark and runs without a window all
// come through here with their own key source and clock. Each frame: the
// session's frame (GameLoop), the window keys that only change the picture
// (frame rate, screenshot), what the run flow decides after the frame, and the
// HUD's lines. The frame value it returns is everything the renderer draws.
// While the run flow has a menu open no frame of the session runs: the last
// picture stands under the menu, and the menu's moves are the frame's events.
class FrameDriver {
public:
    FrameDriver(RunFlow& flow, FrameHost& window, FrameClock& clock);
    ~FrameDriver();
    FrameDriver(const FrameDriver&) = delete;
    FrameDriver& operator=(const FrameDriver&) = delete;

    // One frame. When the run flow chose another session in the frame before,
    // that session is opened first. Valid until the next call.
    FrameView& frame();
    // The same level again from its files (a run without a window restarting):
    // the new session's clock starts from 0.
    void restart();
    // The keys the last frame read (none in the warm-up): what a recording keeps.
    KeyMask lastFrameKeys() const { return frameKeys; }
    // F12 went down in the last frame: the window saves its picture.
    bool screenshotWanted() const { return screenshot; }
    // M went down in the last frame: the sound is muted or unmuted.
    bool muteWanted() const { return mute; }
    // The last frame began a session other than the first.
    bool sessionOpened() const { return opened; }

private:
    bool windowKeyPressed(WindowKey key, bool& wasUp);

    void sessionStarted();
    FrameView& menuFrame();
    void readWindowKeys(float deltaTime);

    RunFlow& flow;
    FrameHost& window;
    MenuGate gate;
    KeyTap keys;
    FrameClock& clock;
    std::unique_ptr<GameLoop> loop;
    FrameRateMeter meter;
    KeyMask frameKeys = 0;
    bool showRate = false;
    bool frameRateWasUp = true;
    bool screenshotWasUp = true;
    bool muteWasUp = true;
    bool ghostWasUp = true;
    bool mute = false;
    bool screenshot = false;
    bool opened = false;
    FrameView standing;         // the picture under an open menu
    bool standingReady = false;
    FrameState menuClock;       // the menus' own time (key repeat)
};
