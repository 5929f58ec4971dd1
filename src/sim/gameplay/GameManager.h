#pragma once
#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include <glm/vec3.hpp>

#include "sim/physics/SimulationCallback.h"

class VoidHandler;
struct VoidState;

enum GameState : int32_t { Playing = 0, Won = 1, Lost = 2 };

// Holds the game state and receives trigger reports (a power-up touched).
class GameManager : public SimulationCallback {
public:
    GameManager(bool debug, std::string assetPath, VoidState* voidState, std::ostream& log);

    // The first pair in a report where either body carries user data applies the power-up.
    void onTrigger(const TriggerPair* pairs, uint32_t count) override;

    std::string assetPath;
    int32_t gameState = Playing;
    bool debug = false;
    VoidHandler* voidHandler = nullptr;
    VoidState* voidState = nullptr;
    std::ostream* log;
};
