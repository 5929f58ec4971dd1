#include "sim/frame/GameSession.h"

GameSession::GameSession(const StartupConfig& config, IniFile settingsFile, IniFile level_, std::ostream& log)
    : config(config),
      settings(std::move(settingsFile)),
      levelFile(std::move(level_)),
      log(log),
      gameManager(voidState, log),
      physics(levelFile, &gameManager, log),
      factory(&physics, &settings, log),
      character(factory.createCharacter())
{
    frame.loadTime = config.loadTime;
    input.useGameCamera = config.useGameCamera;
    input.lastCursorX = config.initialCursorX;
    input.lastCursorY = config.initialCursorY;
    camera.freeFly = !config.useGameCamera;

    level = buildLevel(levelFile, config.level, factory, voidState, log);
    description = describeLevel(*level);
    frustum.setProjection(config.fieldOfView, config.aspectRatio, config.nearPlane, config.farPlane);
}

GameSession::~GameSession() { physics.cleanup(); }
