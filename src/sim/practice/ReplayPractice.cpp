#include "sim/practice/ReplayPractice.h"

#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"

ReplayPractice::ReplayPractice(Replay recorded, RunFlow& flow, FrameDriver& driver, PracticeHost& host,
                               PracticeClock& clock)
    : original(std::move(recorded)), flow(flow), driver(driver), host(host), clock(clock)
{
    practice.header = original.header;
}

const FrameView* ReplayPractice::playRecordedFrame()
{
    if (host.isLive() || played >= original.frames.size()) return nullptr;
    const ReplayFrame& frame = original.frames[played++];
    host.setRecordedKeys(frame.keys);
    clock.lastExactly(frame.deltaTime);
    lastView = &driver.frame();
    tally.afterFrame(flow.session());
    return lastView;
}

void ReplayPractice::seek(size_t frame)
{
    if (host.isLive()) return;
    if (frame > original.frames.size()) frame = original.frames.size();
    if (frame < played) {
        driver.restart();
        lastView = nullptr;
        played = 0;
        tally = RunTally{};
    }
    while (played < frame) playRecordedFrame();
}

void ReplayPractice::takeOver()
{
    if (host.isLive()) return;
    practice.frames.assign(original.frames.begin(), original.frames.begin() + static_cast<long>(played));
    host.takeOver();
    clock.takeOver(flow.session().frame);
    flow.practise();
}

const FrameView& ReplayPractice::playLiveFrame()
{
    lastView = &driver.frame();
    practice.frames.push_back({flow.session().frame.deltaTime, driver.lastFrameKeys()});
    tally.afterFrame(flow.session());
    ++played;
    return *lastView;
}

RunReport ReplayPractice::report() const { return tally.report(flow.session()); }
