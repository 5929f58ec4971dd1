#include "platform/Application.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <cstdlib>
#include <ostream>
#include <future>
#include <memory>

#include "audio/AudioSettings.h"
#include "audio/SoundOutput.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/RunFlow.h"
#include "sim/frame/SessionStart.h"
#include "platform/Benchmark.h"
#include "sim/level/Level.h"
#include "platform/GlfwFrameHost.h"
#include "platform/HeadlessCommands.h"
#include "core/HeapPolicy.h"
#include "platform/PlayLoop.h"
#include "core/IniFile.h"
#include "sim/settings/SettingsOverlay.h"
#include "sim/settings/StartupConfig.h"
#include "platform/WindowCallbacks.h"
#include "platform/WindowIcon.h"
#include "render/ImageDecodeQueue.h"
#include "render/ModelImport.h"
#include "render/SceneRenderer.h"
#include "sim/replay/ReplayPlayback.h"

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
    glfwWindowHintString(GLFW_X11_CLASS_NAME, kWindowClass);
    glfwWindowHintString(GLFW_X11_INSTANCE_NAME, kWindowClass);

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

}  // namespace

int Application::run()
{
    // Lines are read by players and by tests while the game runs.
    log << std::unitbuf;
    StartupStages stages;

    stages.next("settings and level file");
    IniFile settings(options.settingsPath, log);
    // The player's options; a benchmark measures the settings file alone.
    if (!options.bench) {
        if (const auto overlay = settingsOverlayPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")))
            applySettingsOverlay(settings, *overlay, log);
    }
    StartupConfig config = StartupConfig::read(settings, log, options);
    const AudioSettings audio = AudioSettings::read(settings, log);
    if (const auto hidden = config.hiddenPlayerLevel()) log << hiddenLevelLine(config, *hidden) << "\n";
    // The benchmark's script acts from its first frame.
    if (options.bench) config.loadTime = 0;
    // A replay brings its own level and simulation settings; one that cannot
    // be played ends the run before a window opens.
    std::optional<Replay> replay;
    if (options.replayPath) {
        replay = openReplay(*options.replayPath, options.settingsPath, config, options.force, errors);
        if (!replay) return 1;
    }
    IniFile levelFile = openLevelFile(config.levelFilePath(), log);

    // The image files decode (mipmaps included) on worker threads while the
    // window, the context and the programs are made; the uploads stay on this
    // thread, in file order, so failure lines keep their order. A bounded
    // look-ahead keeps the waiting decoded images to a few MiB.
    // The models are read on a thread of their own too, so that the importer's
    // working memory is freed before the images are uploaded and adds nothing
    // to the peak; they upload in their usual place, with their lines.
    std::future<std::vector<ImportedModel>> importedModels =
        importModelsAhead(SceneRenderer::startupModelPaths(config));
    // The sounds decode, and the audio device opens, on a thread of their own
    // too; the benchmark measures the picture only.
    std::future<StartedSound> soundAhead;
    if (audio.enabled && !options.bench) soundAhead = startSoundAhead(audio, config.assetPath, log);
    auto decodedImages = std::make_unique<ImageDecodeQueue>(SceneRenderer::startupImagePaths(config),
                                                            ImageDecodeQueue::defaultWorkers(), kImageLookAhead);

    stages.next("window and context");

    if (!glfwInit()) {
        log << "Failed to create GLFW window\n";
        return 1;
    }
    GLFWwindow* window = createWindow(config);
    if (!window) {
        log << "Failed to create GLFW window\n";
        glfwTerminate();
        return 1;
    }
    setWindowIcon(window, config.assetPath);
    glfwMakeContextCurrent(window);
    installWindowCallbacks(window);
    glfwSetInputMode(window, GLFW_CURSOR, config.debug ? GLFW_CURSOR_NORMAL : GLFW_CURSOR_DISABLED);

    // libepoxy resolves GL entry points lazily; a context below 4.6 means the
    // functions the game needs are missing.
    if (epoxy_gl_version() < 46) {
        log << "Failed to initialize GLAD\n";
        return 1;
    }

    glEnable(GL_DEPTH_TEST);
    glEnable(GL_MULTISAMPLE);
    glPointSize(10.0f);

    // Programs, then the HDR and blur targets. The renderer owns every GL
    // object the game makes and deletes them as it dies, so it must die while
    // the context exists: it is reset before GLFW is terminated.
    stages.next("shaders and targets");
    auto renderer = std::make_unique<SceneRenderer>(config, log);
    stages.next("textures");
    renderer->loadTextures(decodedImages.get());
    stages.next("frame sequences");
    renderer->loadFrameSequences(config.animations, decodedImages.get());
    decodedImages.reset();
    stages.next("models");
    renderer->loadModels(importedModels.get());
    // The decoded images and the imported meshes are freed by now. The
    // session's large blocks (the physics pools) do not fit the holes they
    // left, which would otherwise stay resident: about 3 MiB.
    returnFreeHeapPages();

    stages.next("level, HUD, particles");
    auto session = std::make_unique<GameSession>(config, std::move(settings), std::move(levelFile), log);
    // The mouse is not recorded, so a replay leaves the camera to the recorded keys.
    WindowTargets targets{&session->input, replay ? nullptr : &session->camera};
    targets.pausesWhenInactive = session->config.pauseWhenInactive;
    glfwSetWindowUserPointer(window, &targets);
    renderer->attach(session->description);

    log << "OpenGL Version " << reinterpret_cast<const char*>(glGetString(GL_VERSION)) << "\n";
    stages.finish();

    std::unique_ptr<SoundOutput> sound;
    if (soundAhead.valid()) {
        StartedSound started = soundAhead.get();
        log << started.lines;
        sound = std::move(started.output);
    }
    if (options.soundTracePath) {
        if (sound)
            sound->traceTo(*options.soundTracePath);
        else
            log << "Sound trace off: the game is silent\n";
    }

    // The game itself keeps records, offers its retry, answers R and N and
    // records every session; a replay and the benchmark play their one session.
    RunRules rules;
    GlfwFrameHost host(window, session->config.controls, session->config.padButtons);
    if (!options.bench && !replay) {
        rules = playRules(options, session->config, log, [&](GameSession& opened) {
            renderer->attach(opened.description);
            targets.input = &opened.input;
            targets.camera = &opened.camera;
        });
        if (session->config.menu) {
            rules.menus = playMenus(options, *session, [&](const PlayerOptions& chosen) {
                applyOptions(window, *renderer, host, sound.get(), chosen);
            });
        }
    } else if (replay) {
        // Stepping a replay back plays it again from a fresh session of its level.
        rules.openSession = [&](const StartupConfig& c) {
            return openSession(c, options.settingsPath, c.levelFilePath(), log);
        };
        rules.sessionOpened = [&](GameSession& opened) {
            renderer->attach(opened.description);
            targets.input = &opened.input;
            targets.camera = nullptr;
        };
    }
    RunFlow flow(std::move(session), std::move(rules), log);

    int status = 0;
    if (options.bench) {
        glfwSwapInterval(0);  // frames as fast as they can be drawn
        status = runBenchmark(window, flow, *renderer, *options.bench, stages, log);
    } else {
        glfwSwapInterval(1);
        if (replay)
            playReplay(window, host, flow, *renderer, sound.get(), *replay, options, log);
        else
            play(window, host, flow, *renderer, sound.get(), log);
    }

    sound.reset();  // the music's thread, the sources, the device
    renderer->releaseBuffers();
    flow.session().physics.cleanup();
    glfwSetWindowUserPointer(window, nullptr);
    renderer.reset();  // particle systems, HUD, models, textures, targets, programs
    glfwTerminate();
    return status;
}
