#pragma once
#include <cstdint>
#include <iosfwd>

#include "sim/physics/SimulationCallback.h"

struct VoidState;

enum GameState : int32_t { Playing = 0, Won = 1, Lost = 2 };

// Holds the game state and receives trigger reports (a power-up touched).
class GameManager : public SimulationCallback {
public:
    GameManager(VoidState& voidState, std::ostream& log);

    // The first pair in a report where either body is the power-up applies it.
    void onTrigger(const TriggerPair* pairs, uint32_t count) override;

    int32_t gameState = Playing;

private:
    VoidState& voidState;
    std::ostream& log;
};
