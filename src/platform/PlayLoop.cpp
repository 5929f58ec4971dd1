#include "platform/PlayLoop.h"

#include <epoxy/gl.h>
#include <GLFW/glfw3.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <functional>
#include <ostream>
#include <memory>
#include <thread>

#include "platform/GlfwFrameHost.h"
#include "platform/GlfwKeyCodes.h"
#include "platform/Screenshot.h"
#include "platform/WindowCallbacks.h"
#include "audio/SoundOutput.h"
#include "render/SceneRenderer.h"
#include "sim/frame/GameLoop.h"
#include "sim/frame/GameSession.h"
#include "sim/frame/SessionStart.h"
#include "sim/records/BestTimes.h"
#include "core/ContentHash.h"
#include "sim/replay/KeyTap.h"
#include "sim/replay/ReplayHost.h"
#include "sim/replay/ReplayPlayback.h"
#include "sim/replay/ReplayStore.h"
#include "sim/replay/ReplayWriter.h"
#include "sim/run/RunReport.h"
#include "sim/view/FrameRateMeter.h"

namespace {

// How many runs the replay folder keeps.
constexpr int kRunsKept = 20;

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

// Draws the frame into the window's framebuffer, measured in pixels, not screen
// coordinates: on a scaled desktop the two differ. A minimised window has
// nothing to draw and a swap would not wait for the display, so the game keeps
// its pace by waiting for events instead.
void presentFrame(GLFWwindow* window, SceneRenderer& renderer, const GameSession& session, const FrameView& view,
                  const std::function<void()>& beforeSwap = {})
{
    int framebufferWidth = 0, framebufferHeight = 0;
    glfwGetFramebufferSize(window, &framebufferWidth, &framebufferHeight);
    if (framebufferWidth <= 0 || framebufferHeight <= 0) {
        renderer.skipFrame(view);
        glfwWaitEventsTimeout(1.0 / 60.0);
        return;
    }
    renderer.setOutputSize(framebufferWidth, framebufferHeight);
    renderer.render(session, view);
    if (beforeSwap) beforeSwap();
    glfwSwapBuffers(window);
}

}  // namespace

// Plays the recorded frames at the pace they were recorded, then prints the
// line a headless replay of the same file prints.
void playReplay(GLFWwindow* window, GlfwFrameHost& host, GameSession& session, SceneRenderer& renderer,
                SoundOutput* sound, const Replay& replay, std::ostream& log)
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
        if (sound) sound->afterFrame(view);
        presentFrame(window, renderer, session, view);
        due += std::chrono::duration<double>(frame.deltaTime);
        std::this_thread::sleep_until(start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(due));
    }
    log << summaryLine(tally.report(session)) << "\n";
}

namespace {

// F9, F12 and M (or the keys [controls] names for them) change only the
// picture, the sound and the files on disk, never the game: they are read
// straight from the window and not recorded.
class WindowKeys {
public:
    WindowKeys(GLFWwindow* window, const KeyBindings& bindings, std::ostream& log)
        : window(window),
          log(log),
          frameRateKey(bindings.keys[KeyBindings::kFrameRate]),
          screenshotKey(bindings.keys[KeyBindings::kScreenshot]),
          muteKey(bindings.keys[KeyBindings::kMute])
    {
    }

    void afterFrame(float deltaTime, HudState& hud, SoundOutput* sound)
    {
        if (pressed(muteKey, muteWasUp) && sound) sound->toggleMute();
        meter.addFrame(deltaTime);
        if (pressed(frameRateKey, frameRateWasUp)) showRate = !showRate;
        hud.frameRate = showRate ? meter.text() : "";
        shotWanted = pressed(screenshotKey, screenshotWasUp);
    }
    // The frame is drawn and not yet shown: the picture is what the player sees.
    void beforeSwap()
    {
        if (!shotWanted) return;
        int width = 0, height = 0;
        glfwGetFramebufferSize(window, &width, &height);
        saveScreenshot(screenshotPath(std::getenv("XDG_PICTURES_DIR"), std::getenv("HOME"), std::time(nullptr)),
                       width, height, log);
    }

private:
    bool pressed(KeyboardKey key, bool& wasUp)
    {
        const bool down = key != KeyboardKey::None && glfwGetKey(window, glfwKeyCode(key)) == GLFW_PRESS;
        const bool fired = down && wasUp;
        wasUp = !down;
        return fired;
    }

    GLFWwindow* window;
    std::ostream& log;
    KeyboardKey frameRateKey;  // F9 unless [controls] names another
    KeyboardKey screenshotKey;  // F12 unless [controls] names another
    KeyboardKey muteKey;  // M unless [controls] names another
    FrameRateMeter meter;
    bool showRate = false;
    bool shotWanted = false;
    bool frameRateWasUp = true;
    bool screenshotWasUp = true;
    bool muteWasUp = true;
};

// A won run's time against the level's best: one line, and the HUD shows it
// under the end message. Without a folder for the records the time is only shown.
void keepBestTime(GameSession& session, std::ostream& log, bool show)
{
    const float seconds = session.frame.playTime;
    char shown[32];
    std::snprintf(shown, sizeof shown, "%.2f", static_cast<double>(seconds));
    const auto path = BestTimes::defaultPath(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
    bool newBest = false;
    if (path) {
        BestTimes times(*path);
        if (times.load(log)) newBest = times.offer(hashText(levelFileHash(session.config.levelFilePath())), seconds, log);
    }
    // Only a game that stays open after the win shows it; otherwise the run's
    // lines stay as they always were and the record is kept silently.
    if (!show) return;
    log << "Time: " << shown << " s" << (newBest ? " NEW BEST" : "") << "\n";
    session.hud.notes.push_back(std::string("TIME ") + shown + " S" + (newBest ? "  NEW BEST" : ""));
}

// What a decided game offers when the settings keep it open.
constexpr const char* kRetryLine = "R: retry \u00b7 N: next level \u00b7 Esc: quit";
constexpr const char* kRetryNote = "R: RETRY   N: NEXT LEVEL   ESC: QUIT";

}  // namespace

// The game as it always ran, with every frame's deltaTime and keys recorded.
// R (retry) and N (next level) replace the session with a new one built from
// the level's files; the renderer keeps its programs, textures and models and
// only uploads the new level's boxes. Each session is recorded on its own.
void play(GLFWwindow* window, GlfwFrameHost& host, std::unique_ptr<GameSession>& session, SceneRenderer& renderer,
          SoundOutput* sound, const LaunchOptions& options, WindowTargets& targets, std::ostream& log)
{
    KeyTap keys(host);
    SessionKeys sessionKeys;
    host.retry = session->config.retry;
    WindowKeys windowKeys(window, session->config.controls, log);
    while (true) {
        std::unique_ptr<ReplayWriter> recorder = startRecording(options, session->config, log);
        GameLoop loop(*session, keys);
        SessionKeys::Choice choice = SessionKeys::None;
        bool timeKept = false, retryOffered = false;
        while (!glfwWindowShouldClose(window) && choice == SessionKeys::None) {
            const FrameView& view = loop.runFrame(static_cast<float>(glfwGetTime()));
            const KeyMask frameKeys = keys.takeFrameKeys();
            windowKeys.afterFrame(session->frame.deltaTime, session->hud, sound);
            if (sound) sound->afterFrame(view);
            if (recorder) recorder->append({session->frame.deltaTime, frameKeys});
            if (session->gameManager.gameState == Won && !timeKept) {
                timeKept = true;
                keepBestTime(*session, log, session->config.retry);
            }
            if (host.decided && !retryOffered) {
                retryOffered = true;
                log << kRetryLine << "\n";
                session->hud.notes.push_back(kRetryNote);
            }
            presentFrame(window, renderer, *session, view, [&] { windowKeys.beforeSwap(); });
            choice = sessionKeys.afterFrame(frameKeys, session->frame.warmUpOver());
        }
        if (choice == SessionKeys::None) return;

        const auto begun = std::chrono::steady_clock::now();
        StartupConfig config = session->config;
        // The warm-up covers start-up's loading; a restart loads nothing.
        config.loadTime = 0;
        if (choice == SessionKeys::Next) {
            config.level = nextLevel(config.level, [&](const std::string& level) {
                StartupConfig probe = config;
                probe.level = level;
                return std::filesystem::is_regular_file(probe.levelFilePath());
            });
        }
        recorder.reset();
        renderer.releaseBuffers();
        session.reset();
        session = openSession(config, options.settingsPath, config.levelFilePath(), renderer.sessionTextures(),
                              log);
        session->announceRestart = choice == SessionKeys::Retry;
        renderer.attach(*session);
        targets = WindowTargets{&session->input, &session->camera};
        host.decided = false;
        // The new session's clock starts from now, not from the window's start.
        session->frame.lastFrame = static_cast<float>(glfwGetTime());
        const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - begun;
        log << "Level " << config.level << " started in " << static_cast<int>(took.count()) << " ms\n";
    }
}

