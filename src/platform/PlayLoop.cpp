#include "platform/PlayLoop.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <ostream>
#include <thread>

#include "platform/GlfwFrameHost.h"
#include "platform/Screenshot.h"
#include "audio/SoundOutput.h"
#include "render/SceneRenderer.h"
#include "sim/frame/FrameClock.h"
#include "sim/frame/FrameDriver.h"
#include "sim/frame/GameSession.h"
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

// Every run is recorded: into the file the command line names, or into the
// replay folder. Silent when it works; one line when it cannot, and the game
// plays on unrecorded.
std::unique_ptr<ReplayWriter> startRecording(const LaunchOptions& options, const StartupConfig& config,
                                             std::ostream& log)
{
    std::string path;
    if (options.recordPath) {
        path = *options.recordPath;
    } else {
        const auto folder = defaultReplayFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
        std::string error = "no XDG_STATE_HOME or HOME to keep replays in";
        const auto file =
            folder ? nextRunFile(*folder, config.level, std::time(nullptr), kRunsKept, error) : std::nullopt;
        if (!file) {
            log << "Recording off: " << error << "\n";
            return nullptr;
        }
        path = file->string();
    }
    const ReplayHeader header =
        recordingHeader(config.level, config.levelFilePath(), options.settingsPath, SimulationSettings::of(config));
    return std::make_unique<ReplayWriter>(path, header, log);
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
    rules.startRecording = [&options, &log](const StartupConfig& c) { return startRecording(options, c, log); };
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
    host.setBindings(options.keys, options.pad);
    if (sound) sound->setLevels(options.volume, options.effects, options.music);
    const bool fullscreen = glfwGetWindowMonitor(window) != nullptr;
    if (options.fullscreen == fullscreen) return;
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (options.fullscreen && mode) {
        glfwSetWindowMonitor(window, monitor, 0, 0, mode->width, mode->height, mode->refreshRate);
    } else if (!options.fullscreen) {
        glfwSetWindowMonitor(window, nullptr, 64, 64, static_cast<int>(options.size.width),
                             static_cast<int>(options.size.height), GLFW_DONT_CARE);
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
    FrameDriver driver(flow, host, clock);
    while (!glfwWindowShouldClose(window)) {
        if (sound) sound->frameBegins();
        const FrameView& view = driver.frame();
        if (sound) {
            if (driver.muteWanted()) sound->toggleMute();
            sound->afterFrame(view);
        }
        // The frame is drawn and not yet shown: the picture is what the player sees.
        presentFrame(window, renderer, view, [&] {
            if (!driver.screenshotWanted()) return;
            int width = 0, height = 0;
            glfwGetFramebufferSize(window, &width, &height);
            saveScreenshot(screenshotPath(std::getenv("XDG_PICTURES_DIR"), std::getenv("HOME"), std::time(nullptr)),
                           width, height, log);
        });
    }
}
