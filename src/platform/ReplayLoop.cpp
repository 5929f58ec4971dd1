#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <algorithm>
#include <chrono>
#include <ostream>
#include <thread>

#include "audio/SoundOutput.h"
#include "platform/GlfwFrameHost.h"
#include "platform/PlayLoop.h"
#include "platform/PracticeControls.h"
#include "render/SceneRenderer.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/practice/ReplayPractice.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/view/FrameObjects.h"
#include "sim/view/FrameView.h"

namespace {

// Keeps the recorded pace: each frame is shown when its recorded time is
// due, counted from the last pause, step or restart.
class Pace {
public:
    void restart()
    {
        start = std::chrono::steady_clock::now();
        due = std::chrono::duration<double>(0.0);
    }
    void waitFor(float deltaTime)
    {
        due += std::chrono::duration<double>(deltaTime);
        std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(due));
    }

private:
    std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    std::chrono::duration<double> due{0.0};
};

// A still frame: the last view again with no time passing, under PAUSED.
void presentStill(GLFWwindow* window, SceneRenderer& renderer, GameSession& session, const FrameView& last)
{
    FrameView still = last;
    still.deltaTime = 0.0f;
    still.events.clear();
    session.hud.paused = true;
    layOutHud(session, still);
    presentFrame(window, renderer, still);
}

}  // namespace

void playReplay(GLFWwindow* window, GlfwFrameHost& host, RunFlow& flow, SceneRenderer& renderer, SoundOutput* sound,
                const Replay& replay, const LaunchOptions& options, std::ostream& log)
{
    PracticeHost keys(host);
    PracticeClock clock([] { return static_cast<float>(glfwGetTime()); });
    FrameDriver driver(flow, keys, clock);
    ReplayPractice practice(replay, flow, driver, keys, clock);
    PracticeControls controls(window, host);
    std::unique_ptr<ReplayWriter> recorder;
    Pace pace;
    bool paused = false;
    while (!glfwWindowShouldClose(window)) {
        if (sound) sound->frameBegins();
        if (practice.takenOver()) {
            const FrameView& view = practice.playLiveFrame();
            if (recorder) recorder->append(practice.lastLiveFrame());
            if (sound) {
                if (driver.muteWanted()) sound->toggleMute();
                sound->afterFrame(view);
            }
            presentFrame(window, renderer, view);
            continue;
        }
        if (paused) {
            host.pollEvents();
            if (host.isKeyDown(Key::Escape)) break;
        }
        controls.read();
        if (controls.takeOver && practice.view()) {
            practice.takeOver();
            log << "Taken over at frame " << practice.framesPlayed() << ": practice\n";
            recorder = startRecording(options, flow.session(), 1, log);
            for (const ReplayFrame& frame : practice.recording().frames)
                if (recorder) recorder->append(frame);
            continue;
        }
        if (controls.pauseToggled) paused = !paused;
        if (controls.restart) {
            practice.seek(0);
            paused = false;
        }
        if (paused && controls.step != 0) {
            const long target = static_cast<long>(practice.framesPlayed()) + controls.step;
            practice.seek(static_cast<size_t>(std::max(target, 1L)));
        }
        if (paused || controls.pauseToggled || controls.restart) {
            pace.restart();
            if (paused) {
                if (practice.view()) presentStill(window, renderer, flow.session(), *practice.view());
                if (!controls.step) glfwWaitEventsTimeout(1.0 / 60.0);
                continue;
            }
        }
        const FrameView* view = practice.playRecordedFrame();
        if (!view) break;
        if (sound) sound->afterFrame(*view);
        presentFrame(window, renderer, *view);
        pace.waitFor(flow.session().frame.deltaTime);
    }
    log << summaryLine(practice.report()) << "\n";
}
