#include "sim/practice/ReplayPractice.h"

#include <algorithm>

#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/replay/FrameRecord.h"

ReplayPractice::ReplayPractice(Replay run, RunFlow& flow, FrameDriver& driver, PracticeHost& host,
                               PracticeClock& clock)
    : original(std::move(run)), flow(flow), driver(driver), host(host), clock(clock)
{
    practice.header = original.header;
}

const FrameView* ReplayPractice::playRecordedFrame()
{
    if (host.isLive() || recorded.atEnd()) return nullptr;
    const ReplayFrame frame = recorded.next();
    ++played;
    host.setRecordedKeys(frame.keys);
    clock.lastExactly(frame.deltaTime);
    lastView = &driver.frame();
    tally.afterFrame(flow.session());
    return lastView;
}

void ReplayPractice::seek(size_t frame)
{
    if (host.isLive()) return;
    frame = std::min(frame, frameCount(original.frames));
    if (frame < played) {
        driver.restart();
        lastView = nullptr;
        played = 0;
        recorded = FrameCursor(original.frames);
        tally = RunTally{};
    }
    while (played < frame) playRecordedFrame();
}

void ReplayPractice::takeOver()
{
    if (host.isLive()) return;
    practice.frames = recorded.playedLines();
    host.takeOver();
    clock.takeOver(flow.session().frame);
    flow.practise();
}

const FrameView& ReplayPractice::playLiveFrame()
{
    lastView = &driver.frame();
    lastLive = recordedFrame(flow.session(), driver.lastFrameKeys());
    appendFrame(practice.frames, lastLive);
    tally.afterFrame(flow.session());
    ++played;
    return *lastView;
}

RunReport ReplayPractice::report() const { return tally.report(flow.session()); }
