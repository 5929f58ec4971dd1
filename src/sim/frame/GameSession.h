#pragma once
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <vector>

#include <glm/mat4x4.hpp>

#include "sim/frame/Camera.h"
#include "sim/frame/FrameEvent.h"
#include "sim/frame/FrameState.h"
#include "core/IniFile.h"
#include "sim/frame/InputState.h"
#include "sim/settings/StartupConfig.h"
#include "sim/gameplay/Character.h"
#include "sim/gameplay/ConfettiBurst.h"
#include "sim/gameplay/GameManager.h"
#include "sim/physics/CharacterContacts.h"
#include "sim/physics/PhysicsWorld.h"
#include "sim/gameplay/VoidState.h"
#include "sim/level/Level.h"
#include "sim/level/LevelDescription.h"
#include "sim/level/LevelFactory.h"
#include "sim/view/Frustum.h"
#include "sim/view/HudState.h"

// Everything one run of the game simulates, built in start-up order: game
// manager, physics world, level factory, character, level, HUD state and the
// confetti container. Owned by the entry point, or by a test that runs the
// game without a window.
class GameSession {
public:
    GameSession(const StartupConfig& config, IniFile settings, IniFile levelFile, std::ostream& log);
    ~GameSession();
    GameSession(const GameSession&) = delete;
    GameSession& operator=(const GameSession&) = delete;

    StartupConfig config;
    IniFile settings;
    IniFile levelFile;
    std::ostream& log;  // every diagnostic and game message of the run

    FrameState frame;
    InputState input;
    Camera camera;
    VoidState voidState;
    GameManager gameManager;
    PhysicsWorld physics;
    LevelFactory factory;
    Character character;
    std::unique_ptr<Level> level;
    LevelDescription description;  // the level's boxes as the renderer uploads them
    HudState hud;
    ConfettiBurst confetti;
    Frustum frustum;
    std::vector<FrameEvent> events;  // what happened in the frame being run, in order
    CharacterContacts contacts;
    ContactStep lastContact;      // what the sphere touched in the last physics step
    bool announceRestart = false;  // a session of R: its first frame lists LevelRestarted
};
