#include "sim/frame/FrameDriver.h"

#include "sim/frame/FrameClock.h"
#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/view/FrameObjects.h"
#include "sim/view/FrameView.h"

FrameDriver::FrameDriver(RunFlow& flow, FrameHost& window, FrameClock& clock)
    : flow(flow), keys(window), clock(clock), loop(std::make_unique<GameLoop>(flow.session(), keys))
{
}

FrameDriver::~FrameDriver() = default;

FrameView& FrameDriver::frame()
{
    opened = false;
    if (flow.next() != SessionKeys::None) {
        loop.reset();
        flow.openNextSession();
        sessionStarted();
        opened = true;
    }
    GameSession& s = flow.session();
    FrameView& view = loop->runFrameAfter(clock.nextDeltaTime(s.frame));
    frameKeys = keys.takeFrameKeys();
    // F9, F12, M and G change only the picture, the sound and the files on disk,
    // never the game: they are read straight from the window and not recorded.
    mute = windowKeyPressed(WindowKey::Mute, muteWasUp);
    meter.addFrame(s.frame.deltaTime);
    if (windowKeyPressed(WindowKey::FrameRate, frameRateWasUp)) showRate = !showRate;
    s.hud.frameRate = showRate ? meter.text() : "";
    screenshot = windowKeyPressed(WindowKey::Screenshot, screenshotWasUp);
    if (windowKeyPressed(WindowKey::Ghost, ghostWasUp)) flow.toggleGhost();
    flow.afterFrame(view, frameKeys, keys);
    layOutHud(s, view);
    return view;
}

void FrameDriver::restart()
{
    loop.reset();
    flow.restart();
    sessionStarted();
}

void FrameDriver::sessionStarted()
{
    loop = std::make_unique<GameLoop>(flow.session(), keys);
    clock.sessionStarted(flow.session().frame);
}

bool FrameDriver::windowKeyPressed(WindowKey key, bool& wasUp)
{
    const bool down = keys.isWindowKeyDown(key);
    const bool fired = down && wasUp;
    wasUp = !down;
    return fired;
}
