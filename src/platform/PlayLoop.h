#pragma once
#include <iosfwd>
#include <memory>

#include "sim/settings/LaunchOptions.h"

struct GLFWwindow;
class GameSession;
class GlfwFrameHost;
class SceneRenderer;
class SoundOutput;
struct Replay;
struct WindowTargets;

// The frame loops between start-up and shutdown: each frame runs the
// simulation, hands the frame to the sound (`sound` is null when the game is
// silent), draws it into the window's framebuffer and swaps.

// A recorded run played at its recorded pace with its recorded keys (the
// window's Escape and close button still end it); prints the line a headless
// replay of the same file prints.
void playReplay(GLFWwindow* window, GlfwFrameHost& host, GameSession& session, SceneRenderer& renderer,
                SoundOutput* sound, const Replay& replay, std::ostream& log);

// The game itself, every session recorded. F9 (frame rate), F12 (screenshot)
// and M (mute) act on the window and the sound only. R and N replace `session`
// with a fresh one built from the level's files; the renderer keeps its programs, textures
// and models and uploads only the new level's boxes.
void play(GLFWwindow* window, GlfwFrameHost& host, std::unique_ptr<GameSession>& session, SceneRenderer& renderer,
          SoundOutput* sound, const LaunchOptions& options, WindowTargets& targets, std::ostream& log);
