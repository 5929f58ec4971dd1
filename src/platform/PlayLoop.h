#pragma once
#include <iosfwd>
#include <memory>

#include "sim/frame/RunFlow.h"
#include "sim/settings/LaunchOptions.h"

struct GLFWwindow;
class GlfwFrameHost;
class ReplayWriter;
struct FrameView;
class SceneRenderer;
class SoundOutput;
struct Replay;

// The frame loops between start-up and shutdown: each frame the frame driver
// runs the simulation and the run flow, the frame value goes to the sound
// (`sound` is null when the game is silent), the renderer draws it into the
// window's framebuffer and the window swaps. What the run flow
// decides (another session, a closed window) is carried out here.

// What the game itself allows around its sessions: records, the settings'
// retry offer, R and N, every session recorded (into the file the command
// line names or the replay folder). `sessionOpened` is told of each new session.
RunRules playRules(const LaunchOptions& options, const StartupConfig& config, std::ostream& log,
                   std::function<void(GameSession&)> sessionOpened);

// The menus of a game in the window with `[general] menu` on: it opens on the
// title unless the command line names what to play; the options start from
// `session`'s settings (the overlay included) and are saved to the overlay;
// `optionsChanged` applies them at once.
MenuRules playMenus(const LaunchOptions& options, const GameSession& session,
                    std::function<void(const PlayerOptions&)> optionsChanged);

// What the window does for an options change, at once: the bloom, the key
// bindings, full-screen, the volumes and the render size (a window takes it as
// its size; full-screen keeps covering the monitor, the picture stretched).
void applyOptions(GLFWwindow* window, SceneRenderer& renderer, GlfwFrameHost& host, SoundOutput* sound,
                  const PlayerOptions& options);

// A recorded run played at its recorded pace with its recorded keys (the
// window's Escape and close button still end it); prints the line a headless
// replay of the same file prints. It can be paused, stepped a frame (or a
// second) back and forward, restarted, and taken over to practise from any
// moment: the practice run is recorded like a played one (into the file the
// command line names or the replay folder), and its time is never a record
// (PracticeControls has the keys). In platform/ReplayLoop.cpp.
void playReplay(GLFWwindow* window, GlfwFrameHost& host, RunFlow& flow, SceneRenderer& renderer, SoundOutput* sound,
                const Replay& replay, const LaunchOptions& options, std::ostream& log);

// The game itself on the window's clock. F9 (frame rate), F12 (screenshot)
// and M (mute) act on the window and the sound only.
void play(GLFWwindow* window, GlfwFrameHost& host, RunFlow& flow, SceneRenderer& renderer, SoundOutput* sound,
          std::ostream& log);

// Shared by the loops. The recorder of a launch's `number`th run (from 1), into
// the file the command line names (later runs beside it) or the replay folder
// (one line and none when neither can be written).
std::unique_ptr<ReplayWriter> startRecording(const LaunchOptions& options, const GameSession& session, int number,
                                             std::ostream& log);
// Draws the frame into the window's framebuffer, measured in pixels, not screen
// coordinates (on a scaled desktop the two differ), and swaps.
void presentFrame(GLFWwindow* window, SceneRenderer& renderer, const FrameView& view,
                  const std::function<void()>& beforeSwap = {});
