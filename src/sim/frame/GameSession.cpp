#include "sim/frame/GameSession.h"

GameSession::GameSession(const StartupConfig& config, IniFile settingsFile, IniFile level_, const SessionTextures& tex,
                         std::ostream& log)
    : config(config),
      settings(std::move(settingsFile)),
      levelFile(std::move(level_)),
      textures(tex),
      log(log),
      gameManager(config.debug, config.assetPath, &voidState, log),
      physics(levelFile, &gameManager, log),
      factory(config.assetPath, &physics, &settings, log),
      character(factory.createCharacter())
{
    frame.loadTime = config.loadTime;
    input.useGameCamera = config.useGameCamera;
    input.lastCursorX = config.initialCursorX;
    input.lastCursorY = config.initialCursorY;
    camera.freeFly = !config.useGameCamera;

    level = buildLevel(levelFile, config.level, factory, textures.level, voidState, gameManager, log);
    frustum.setProjection(config.fieldOfView, config.aspectRatio, config.nearPlane, config.farPlane);
}

GameSession::~GameSession() { physics.cleanup(); }
