#include "sim/frame/FrameDriver.h"

#include "sim/frame/FrameClock.h"
#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/view/FrameObjects.h"
#include "sim/view/FrameView.h"

FrameDriver::FrameDriver(RunFlow& flow, FrameHost& window, FrameClock& clock)
    : flow(flow),
      window(window),
      gate(window),
      keys(gate),
      clock(clock),
      loop(std::make_unique<GameLoop>(flow.session(), keys))
{
    gate.menus = flow.hasMenus();
    showRate = flow.session().config.showFrameRate;
    if (flow.menuOpen()) {
        clock.sessionStarted(menuClock);
        window.showMenu(true);
    }
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
    if (flow.menuOpen() && standingReady) return menuFrame();
    GameSession& s = flow.session();
    // The level behind the title runs one frame for its picture and reads no key.
    const bool backdrop = flow.menuOpen();
    gate.shut = backdrop;
    FrameView& view = loop->runFrameAfter(clock.nextDeltaTime(s.frame));
    frameKeys = keys.takeFrameKeys();
    readWindowKeys(s.frame.deltaTime);
    if (!backdrop) flow.afterFrame(view, frameKeys, keys);
    if (flow.hasMenus() && gate.pausePressed() && !flow.menuOpen()) flow.openMenu(MenuScreen::Pause, window.menuHeld());
    layOutHud(s, view);
    if (flow.menuOpen()) {
        // A menu opened in this frame: the picture stands from here until it closes.
        standing = view;
        standingReady = true;
        clock.sessionStarted(menuClock);
        window.showMenu(true);
        view.menu = flow.menuView();
    }
    return view;
}

// A frame with a menu open: the session does not run, so nothing of the menus
// reaches its recording; only the menu and the window's own keys are read.
FrameView& FrameDriver::menuFrame()
{
    window.pollEvents();
    const float deltaTime = clock.nextDeltaTime(menuClock);
    frameKeys = 0;
    readWindowKeys(deltaTime);
    const GameSession& s = flow.session();
    const MenuResult result =
        flow.menuFrame(window.menuInput(static_cast<float>(s.config.renderWidth),
                                        static_cast<float>(s.config.renderHeight)),
                       deltaTime, keys);
    standing.events.clear();
    for (const FrameEventKind kind : result.events) standing.events.push_back({kind, 0.0f, standing.characterPosition});
    // The picture stands still: no motion of the renderer's own, no world sound.
    standing.deltaTime = 0.0f;
    standing.paused = true;
    layOutHud(s, standing);
    standing.menu = flow.menuView();
    if (result.optionsChanged) showRate = flow.menuOptions()->showFrameRate;
    if (!flow.menuOpen()) {
        standingReady = false;
        gate.holdBack();
        window.showMenu(false);
        // The session goes on from where it stood: no time passed for it.
        if (result.outcome == MenuOutcome::Resume) clock.sessionStarted(flow.session().frame);
    }
    return standing;
}

void FrameDriver::readWindowKeys(float deltaTime)
{
    GameSession& s = flow.session();
    // F9, F12, M and G change only the picture, the sound and the files on disk,
    // never the game: they are read straight from the window and not recorded.
    mute = windowKeyPressed(WindowKey::Mute, muteWasUp);
    meter.addFrame(deltaTime);
    if (windowKeyPressed(WindowKey::FrameRate, frameRateWasUp)) showRate = !showRate;
    s.hud.frameRate = showRate ? meter.text() : "";
    screenshot = windowKeyPressed(WindowKey::Screenshot, screenshotWasUp);
    if (windowKeyPressed(WindowKey::Ghost, ghostWasUp)) flow.toggleGhost();
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
