#pragma once
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <glm/geometric.hpp>

#include "app/Camera.h"
#include "app/IniFile.h"
#include "app/InputState.h"
#include "app/KeyHandler.h"
#include "gameplay/Character.h"
#include "gameplay/GameManager.h"
#include "gameplay/PhysicsWorld.h"
#include "gameplay/VoidState.h"
#include "level/Level.h"
#include "level/LevelFactory.h"
#include "support/CaptureStdout.h"
#include "support/FakeHost.h"

// One shipped level played headless at a steady 60 frames per second with
// scripted keys: the game's own objects (world, character, level, key
// handling) driven in the frame order of the game loop: keys and movement,
// then the physics step, the goal test, the loss test, the void's rise and
// the jump timers. The warm-up is 0 frames.
class LevelRun {
public:
    LevelRun(const std::string& settingsPath, const std::string& levelPath, const std::string& levelSetting = "0")
        : settings(settingsPath), levelFile(levelPath)
    {
        gameManager = std::make_unique<GameManager>(false, settings.getString("general", "assetPath", "../assets"),
                                                    &voidState);
        physics = std::make_unique<PhysicsWorld>(levelFile, gameManager.get());
        factory = std::make_unique<LevelFactory>(gameManager->assetPath, physics.get(), &settings);
        character = std::make_unique<Character>(factory->createCharacter());
        character->gameManager = gameManager.get();
        std::ostringstream log;
        level = buildLevel(levelFile, levelSetting, *factory, LevelTextures{}, voidState, *gameManager, log);
        keys = std::make_unique<KeyHandler>(input, camera, host, false);
    }

    // Runs one frame with exactly `held` keys down; returns its console lines.
    std::string frame(const std::vector<Key>& held)
    {
        host.releaseAll();
        for (Key key : held) host.press(key);
        return captureStdout([&] { runFrame(); });
    }

    glm::vec3 position() const { return character->getPosition(); }
    glm::vec3 velocity() const { return PhysicsWorld::velocityOf(character->body); }
    float goalDistance() const { return glm::distance(position(), level->goal->geometry.position); }
    int32_t gameState() const { return gameManager->gameState; }
    bool finished() const { return host.closing; }

    IniFile settings;
    IniFile levelFile;
    VoidState voidState;
    std::unique_ptr<GameManager> gameManager;
    std::unique_ptr<PhysicsWorld> physics;
    std::unique_ptr<LevelFactory> factory;
    std::unique_ptr<Character> character;
    std::unique_ptr<Level> level;
    InputState input;
    Camera camera;
    FakeHost host;
    std::unique_ptr<KeyHandler> keys;
    int frames = 0;

private:
    void runFrame()
    {
        constexpr float step = 1.0f / 60.0f;
        clock += step;
        const float deltaTime = clock - lastFrame;
        lastFrame = clock;
        ++frames;

        bool stepDue = false;
        accumulator += deltaTime;
        if (accumulator >= step) {
            accumulator -= step;
            stepDue = true;
        }
        host.pollEvents();
        keys->processKeys(deltaTime);

        float x = 0.0f;
        float z = 0.0f;
        if (gameManager->gameState == Playing) {
            if (input.moveForwardRequested) z = -1.0f;
            if (input.moveBackRequested) z += 1.0f;
            if (input.moveLeftRequested) x = -1.0f;
            if (input.moveRightRequested) x += 1.0f;
            input.moveForwardRequested = input.moveBackRequested = false;
            input.moveLeftRequested = input.moveRightRequested = false;
            if (input.jumpRequested) {
                input.jumpRequested = false;
                character->jump();
            }
        }
        if (input.switchSideRequested) {
            input.switchSideRequested = false;
            std::cout << "Flip\n";
            camera.followSide = -camera.followSide;
        }
        const float side = static_cast<float>(camera.followSide);
        if (stepDue) character->move(glm::vec3(x * side, 0.0f, z * side));

        if (input.gameStarted) {
            if (stepDue) {
                physics->stepSimulation(step);
                physics->fetchSimulationResults();
                character->applyPostStepImpulse();
            }
            if (gameManager->gameState == Playing) {
                if (goalReached(*level->goal, position())) {
                    std::cout << "SUCCESSFULLY ESCAPED THE VOID!\n";
                    character->celebrate();
                    gameManager->gameState = Won;
                    host.requestClose();
                }
                if (character->getHeight() <= voidState.voidHeight) {
                    std::cout << "GAME LOST! HEIGHT: " << voidState.voidHeight << "\n";
                    gameManager->gameState = Lost;
                    host.requestClose();
                }
            }
            const int32_t state = gameManager->gameState;
            if (state == Playing || state == Lost) level->voidHandler->rise(deltaTime);
        }
        character->advanceJumpTimers(deltaTime);
    }

    float clock = 0.0f;
    float lastFrame = 0.0f;
    float accumulator = 0.0f;
};
