#include "platform/Application.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <iostream>
#include <memory>
#include <thread>

#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "platform/Benchmark.h"
#include "sim/level/Level.h"
#include "platform/GlfwFrameHost.h"
#include "core/IniFile.h"
#include "sim/settings/StartupConfig.h"
#include "platform/WindowCallbacks.h"
#include "render/ImageDecodeQueue.h"
#include "render/SceneRenderer.h"
#include "sim/replay/KeyTap.h"
#include "sim/replay/ReplayHost.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/replay/ReplayStore.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/replay/RunReport.h"

namespace {

// Decoded images allowed to wait for their upload (128×128 to 256×256 RGBA
// frames with mipmaps: 85 to 350 KiB each).
constexpr std::size_t kImageLookAhead = 64;

GLFWwindow* createWindow(const StartupConfig& config)
{
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 6);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_REFRESH_RATE, config.refreshRate);
    glfwWindowHint(GLFW_SAMPLES, 4);

    if (!config.fullscreen) {
        return glfwCreateWindow(static_cast<int>(config.renderWidth), static_cast<int>(config.renderHeight),
                                config.title.c_str(), nullptr, nullptr);
    }
    // Full-screen covers the monitor; the render size stays the settings' size
    // and the composite scales the picture to the monitor.
    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    const GLFWvidmode* mode = monitor ? glfwGetVideoMode(monitor) : nullptr;
    if (!mode) return nullptr;
    return glfwCreateWindow(mode->width, mode->height, config.title.c_str(), monitor, nullptr);
}

// How many runs the replay folder keeps.
constexpr int kRunsKept = 20;

// Every run is recorded: into the file the command line names, or into the
// replay folder. Silent when it works; one line when it cannot, and the game
// plays on unrecorded.
std::unique_ptr<ReplayWriter> startRecording(const LaunchOptions& options, const StartupConfig& config)
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
            std::cout << "Recording off: " << error << "\n";
            return nullptr;
        }
        path = file->string();
    }
    const ReplayHeader header =
        recordingHeader(config.level, config.levelFilePath(), options.settingsPath, SimulationSettings::of(config));
    return std::make_unique<ReplayWriter>(path, header, std::cout);
}

// Draws the frame into the window's framebuffer, measured in pixels, not screen
// coordinates: on a scaled desktop the two differ. A minimised window has
// nothing to draw and a swap would not wait for the display, so the game keeps
// its pace by waiting for events instead.
void presentFrame(GLFWwindow* window, SceneRenderer& renderer, const GameSession& session, const FrameView& view)
{
    int framebufferWidth = 0, framebufferHeight = 0;
    glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    if (framebufferWidth <= 0 || framebufferHeight <= 0) {
        glfwWaitEventsTimeout(1.0 / 60.0);
        return;
    }
    renderer.setOutputSize(framebufferWidth, framebufferHeight);
    renderer.render(session, view);
    glfwSwapBuffers(window);
}

// Plays the recorded frames at the pace they were recorded, then prints the
// line a headless replay of the same file prints.
void playReplay(GLFWwindow* window, GlfwFrameHost& host, GameSession& session, SceneRenderer& renderer,
                const Replay& replay)
{
    ReplayHost keys(host);
    GameLoop loop(session, keys);
    RunTally tally;
    const auto start = std::chrono::steady_clock::now();
    std::chrono::duration<double> due{0.0};
    for (const ReplayFrame& frame : replay.frames) {
        if (glfwWindowShouldClose(window)) break;
        keys.setFrameKeys(frame.keys);
        const FrameView& view = loop.runFrameAfter(frame.deltaTime);
        tally.afterFrame(session);
        presentFrame(window, renderer, session, view);
        due += std::chrono::duration<double>(frame.deltaTime);
        std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(due));
    }
    std::cout << summaryLine(tally.report(session)) << "\n";
}

// The game as it always ran, with every frame's deltaTime and keys recorded.
void play(GLFWwindow* window, GlfwFrameHost& host, GameSession& session, SceneRenderer& renderer,
          ReplayWriter* recorder)
{
    KeyTap keys(host);
    GameLoop loop(session, keys);
    while (!glfwWindowShouldClose(window)) {
        const FrameView& view = loop.runFrame(static_cast<float>(glfwGetTime()));
        if (recorder) recorder->append({session.frame.deltaTime, keys.takeFrameKeys()});
        presentFrame(window, renderer, session, view);
    }
}

}  // namespace

int Application::run()
{
    // Lines are read by players and by tests while the game runs.
    std::cout << std::unitbuf;
    StartupStages stages;

    stages.next("settings and level file");
    IniFile settings(options.settingsPath, std::cout);
    StartupConfig config = StartupConfig::read(settings, std::cout, options);
    // The benchmark's script acts from its first frame.
    if (options.bench) config.loadTime = 0;
    // A replay brings its own level and simulation settings; one that cannot
    // be played ends the run before a window opens.
    std::optional<Replay> replay;
    if (options.replayPath) {
        replay = openReplay(*options.replayPath, options.settingsPath, config, options.force, std::cerr);
        if (!replay) return 1;
    }
    IniFile levelFile = openLevelFile(config.levelFilePath(), std::cout);

    // The image files decode (mipmaps included) on worker threads while the
    // window, the context and the programs are made; the uploads stay on this
    // thread, in file order, so failure lines keep their order. A bounded
    // look-ahead keeps the waiting decoded images to a few MiB.
    auto decodedImages = std::make_unique<ImageDecodeQueue>(SceneRenderer::startupImagePaths(config),
                                                            ImageDecodeQueue::defaultWorkers(), kImageLookAhead);

    stages.next("window and context");

    if (!glfwInit()) {
        std::cout << "Failed to create GLFW window\n";
        return 1;
    }
    GLFWwindow* window = createWindow(config);
    if (!window) {
        std::cout << "Failed to create GLFW window\n";
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    installWindowCallbacks(window);
    glfwSetInputMode(window, GLFW_CURSOR, config.debug ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);

    // libepoxy resolves GL entry points lazily; a context below 4.6 means the
    // functions the game needs are missing.
    if (epoxy_gl_version() < 46) {
        std::cout << "Failed to initialize GLAD\n";
        return 1;
    }

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);
    glPointSize(10.0f);

    // Programs, then the HDR and blur targets. The renderer owns every GL
    // object the game makes and deletes them as it dies, so it must die while
    // the context exists: it is reset before GLFW is terminated.
    stages.next("shaders and targets");
    auto renderer = std::make_unique<SceneRenderer>(config);
    stages.next("textures");
    renderer->loadTextures(decodedImages.get());
    stages.next("frame sequences");
    renderer->loadFrameSequences(config.animations, decodedImages.get());
    decodedImages.reset();
    stages.next("models");
    renderer->loadModels();

    stages.next("level, HUD, particles");
    auto session = std::make_unique<GameSession>(config, std::move(settings), std::move(levelFile),
                                                 renderer->sessionTextures(), std::cout);
    // The mouse is not recorded, so a replay leaves the camera to the recorded keys.
    WindowTargets targets{&session->input, replay ? nullptr : &session->camera};
    glfwSetWindowUserPointer(window, &targets);
    renderer->attach(*session);

    std::cout << "OpenGL Version " << reinterpret_cast<const char*>(glGetString(GL_VERSION)) << "\n";
    stages.finish();

    int status = 0;
    if (options.bench) {
        glfwSwapInterval(0);  // frames as fast as they can be drawn
        status = runBenchmark(window, *session, *renderer, *options.bench, stages, std::cout);
    } else {
        glfwSwapInterval(1);
        GlfwFrameHost host(window);
        if (replay) {
            playReplay(window, host, *session, *renderer, *replay);
        } else {
            const std::unique_ptr<ReplayWriter> recorder = startRecording(options, config);
            play(window, host, *session, *renderer, recorder.get());
        }
    }

    renderer->releaseBuffers();
    session->physics.cleanup();
    glfwSetWindowUserPointer(window, nullptr);
    renderer.reset();  // particle systems, HUD, models, textures, targets, programs
    glfwTerminate();
    return status;
}
