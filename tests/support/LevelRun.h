#pragma once
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <glm/geometric.hpp>

#include "support/SessionRig.h"

// One level played headless through the game's own session and frame loop at
// a steady 60 frames per second with scripted keys, warm-up 0. The settings
// and level files are read from disk (the shipped ones in the level tests).
class LevelRun {
public:
    // The settings' own level setting only names the level in the HUD label;
    // the level file given here is the one played.
    LevelRun(const std::string& settingsPath, const std::string& levelPath)
        : rig(readFile(levelPath), readFile(settingsPath), 0)
    {
    }

    // Runs one frame with exactly `held` keys down; returns its console lines.
    std::string frame(const std::vector<Key>& held)
    {
        rig.host.releaseAll();
        for (Key key : held) rig.host.press(key);
        ++frames;
        return rig.frame();
    }

    GameSession& session() { return *rig.session; }
    glm::vec3 position() const { return rig.session->character.getPosition(); }
    glm::vec3 velocity() const { return PhysicsWorld::velocityOf(rig.session->character.body); }
    float goalDistance() const { return glm::distance(position(), rig.session->level->goal->geometry.position); }
    int32_t gameState() const { return rig.session->gameManager.gameState; }
    float voidHeight() const { return rig.session->voidState.voidHeight; }
    float gravity() const { return rig.session->physics.gravity; }
    const IniFile& levelFile() const { return rig.session->levelFile; }
    const IniFile& settings() const { return rig.session->settings; }
    bool finished() const { return rig.host.closing; }

    SessionRig rig;
    int frames = 0;

private:
    static std::string readFile(const std::string& path)
    {
        std::ifstream in(path);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
};
