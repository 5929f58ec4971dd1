#include "platform/PlayLoop.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <ostream>
#include <thread>
#include <utility>

#include "platform/GlfwFrameHost.h"
#include "platform/Screenshot.h"
#include "platform/WindowCallbacks.h"
#include "audio/SoundOutput.h"
#include "render/SceneRenderer.h"
#include "sim/frame/FrameClock.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/KeyGate.h"
#include "sim/frame/SessionStart.h"
#include "sim/records/BestRuns.h"
#include "sim/records/BestTimes.h"
#include "sim/records/LevelProgress.h"
#include "sim/settings/SettingsOverlay.h"
#include "sim/replay/ReplayHost.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/replay/ReplayStore.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/run/RunReport.h"

namespace {

// How many runs the replay folder keeps.
constexpr int kRunsKept = 20;

}  // namespace

// Every run is recorded: into the file the command line names (its later
// sessions beside it, see namedRunFile), or into the replay folder. Silent when
// it works; one line when it cannot, and the game plays on unrecorded.
std::unique_ptr<ReplayWriter> startRecording(const LaunchOptions& options, const GameSession& session, int number,
                                             std::ostream& log)
{
    CreatedFile file;
    if (options.recordPath) {
        file = namedRunFile(*options.recordPath, number);
        if (!file.valid()) {
            log << "Recording off: cannot write " << *options.recordPath << " (" << std::strerror(errno) << ")\n";
            return nullptr;
        }
    } else {
        const auto folder = defaultReplayFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
        std::string error = "no XDG_STATE_HOME or HOME to keep replays in";
        if (folder) file = nextRunFile(*folder, session.config.level, std::time(nullptr), kRunsKept, error);
        if (!file.valid()) {
            log << "Recording off: " << error << "\n";
            return nullptr;
        }
    }
    return std::make_unique<ReplayWriter>(std::move(file), recordingHeader(session), log);
}

// A minimised window has nothing to draw and a swap would not wait for the
// display, so the game keeps its pace by waiting for events instead.
void presentFrame(GLFWwindow* window, SceneRenderer& renderer, const FrameView& view,
                  const std::function<void()>& beforeSwap)
{
    int framebufferWidth = 0, framebufferHeight = 0;
    glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    if (framebufferWidth <= 0 || framebufferHeight <= 0) {
        renderer.skipFrame(view);
        glfwWaitEventsTimeout(1.0 / 60.0);
        return;
    }
    renderer.setOutputSize(framebufferWidth, framebufferHeight);
    renderer.render(view);
    if (beforeSwap) beforeSwap();
    glfwSwapBuffers(window);
}

RunRules playRules(const LaunchOptions& options, const StartupConfig& config, std::ostream& log,
                   std::function<void(GameSession&)> sessionOpened)
{
    RunRules rules;
    // The menus offer their own retry at the end of a run.
    rules.offerRetry = config.retry || config.menu;
    rules.sessionKeys = true;
    rules.keepsBestTimes = true;
    rules.recordsPath = BestTimes::defaultPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    rules.bestRunFolder = defaultBestRunFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    rules.settingsPath = options.settingsPath;
    rules.startRecording = [&options, &log](const GameSession& session, int number) {
        return startRecording(options, session, number, log);
    };
    rules.openSession = [&options, &log](const StartupConfig& c) {
        return openSession(c, options.settingsPath, c.levelFilePath(), log);
    };
    rules.sessionOpened = std::move(sessionOpened);
    return rules;
}

MenuRules playMenus(const LaunchOptions& options, const GameSession& session,
                    std::function<void(const PlayerOptions&)> optionsChanged)
{
    MenuRules menus;
    menus.opensOnTitle = !options.level && !options.replayPath && !options.recordPath && !options.bench;
    menus.unlockAll = session.config.unlockAll;
    menus.progressPath = LevelProgress::defaultPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    menus.overlayPath = settingsOverlayPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    menus.model.options = PlayerOptions::of(session.config, session.settings);
    RenderSize monitor;
    if (GLFWmonitor* primary = glfwGetPrimaryMonitor())
        if (const GLFWvidmode* mode = glfwGetVideoMode(primary))
            monitor = {static_cast<uint32_t>(mode->width), static_cast<uint32_t>(mode->height)};
    menus.model.sizes = renderSizeChoices(monitor, menus.model.options.size);
    menus.optionsChanged = std::move(optionsChanged);
    return menus;
}

void applyOptions(GLFWwindow* window, SceneRenderer& renderer, GlfwFrameHost& host, SoundOutput* sound,
                  const PlayerOptions& options)
{
    renderer.setBloom(options.blurPasses, options.blurScale);
    if (auto* targets = static_cast<WindowTargets*>(glfwGetWindowUserPointer(window)))
        targets->pausesWhenInactive = options.pauseWhenInactive;
    const int width = static_cast<int>(options.size.width), height = static_cast<int>(options.size.height);
    renderer.setRenderSize(width, height);
    host.setBindings(options.keys, options.pad);
    if (sound) sound->setLevels(options.volume, options.effects, options.music);
    const bool fullscreen = glfwGetWindowMonitor(window) != nullptr;
    if (options.fullscreen == fullscreen) {
        int shownWidth = 0, shownHeight = 0;
        glfwGetWindowSize(window, &shownWidth, &shownHeight);
        if (!fullscreen && (shownWidth != width || shownHeight != height)) glfwSetWindowSize(window, width, height);
        return;
    }
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (options.fullscreen && mode) {
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    } else if (!options.fullscreen) {
        glfwSetWindowMonitor(window, nullptr, 64, 64, width, height, GLFW_DONT_CARE);
    }
}

// The game as it always ran, with every frame's deltaTime and keys recorded.
// R (retry) and N (next level) make the run flow open a new session from the
// level's files; the renderer keeps its programs, textures and models and
// only uploads the new level's boxes. Each session is recorded on its own.
void play(GLFWwindow* window, GlfwFrameHost& host, RunFlow& flow, SceneRenderer& renderer, SoundOutput* sound,
          std::ostream& log)
{
    ReadClock clock([] { return static_cast<float>(glfwGetTime()); });
    // Between the window and the recording: keys held through a restart and the
    // pause a lost focus asks for are decided before anything reads the keys.
    KeyGate gate(host);
    FrameDriver driver(flow, gate, clock);
    ScreenshotTaker screenshots;
    auto* targets = static_cast<WindowTargets*>(glfwGetWindowUserPointer(window));
    while (!glfwWindowShouldClose(window)) {
        if (sound) sound->frameBegins();
        const GameSession& s = flow.session();
        if (targets && std::exchange(targets->wentInactive, false) && targets->pausesWhenInactive &&
            s.frame.warmUpOver() && !s.input.paused && s.gameManager.gameState == Playing)
            gate.pressPauseOnce();
        const FrameView& view = driver.frame();
        // R or N chose the session the next frame opens: keys down then wait for their release.
        if (flow.next() != SessionKeys::None) gate.holdBackHeldKeys();
        screenshots.printFinished(log);
        if (sound) {
            if (driver.muteWanted()) sound->toggleMute();
            sound->afterFrame(view);
        }
        // The frame is drawn and not yet shown: the picture is what the player
        // sees. Only its pixels are read here; the file is written off the frame.
        presentFrame(window, renderer, view, [&] {
            if (!driver.screenshotWanted()) return;
            int width = 0, height = 0;
            glfwGetFramebufferSize(window, &width, &height);
            const auto folder =
                screenshotFolder(std::getenv("XDG_PICTURES_DIR"), std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
            screenshots.take(createScreenshotFile(folder, std::time(nullptr)), width, height, log);
        });
    }
    screenshots.waitUntilWritten();
    screenshots.printFinished(log);
}
