#pragma once
#include <iosfwd>

struct VoidState;

// The rising laser slab. Constructing one resets the void state: height -10, power-up armed.
class VoidHandler {
public:
    VoidHandler(float voidSpeed, VoidState& state);

    // Raises the void by deltaTime * voidSpeed (world units per second).
    void rise(float deltaTime);
    // Lowers the void by 7 the first time it is called in a run and prints one line.
    static void applyPowerUp(VoidState& state, std::ostream& out);

    float speed = 0.0f;  // the level's voidSpeed / 100

private:
    VoidState& state;
};
