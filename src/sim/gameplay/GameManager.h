#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "sim/physics/SimulationCallback.h"
#include "sim/view/ParticleSeed.h"

class VoidHandler;
struct VoidState;

enum GameState : int32_t { Playing = 0, Won = 1, Lost = 2 };

// Holds the game state, receives trigger reports (a power-up touched) and keeps
// the particle bursts started by jumps. The renderer turns each burst's seed
// into a GPU particle system.
class GameManager : public SimulationCallback {
public:
    GameManager(bool debug, std::string assetPath, VoidState* voidState, std::ostream& log);

    // The first pair in a report where either body carries user data applies the power-up.
    void onTrigger(const TriggerPair* pairs, uint32_t count) override;
    void spawnParticles(const glm::vec3& origin);

    std::string assetPath;
    int32_t gameState = Playing;
    bool debug = false;
    VoidHandler* voidHandler = nullptr;
    VoidState* voidState = nullptr;
    std::vector<ParticleSeed> particleBursts;  // one per jump, never removed
    std::ostream* log;
};
