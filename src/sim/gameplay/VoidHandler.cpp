#include "sim/gameplay/VoidHandler.h"

#include <ostream>

#include "sim/gameplay/VoidState.h"

VoidHandler::VoidHandler(float voidSpeed, VoidState& state) : speed(voidSpeed / 100.0f), state(state)
{
    state = VoidState{};
}

void VoidHandler::rise(float deltaTime)
{
    state.voidHeight += deltaTime * speed * 100.0f;
}

void VoidHandler::applyPowerUp(VoidState& state, std::ostream& out)
{
    if (state.powerUpUsed) return;
    out << "VoidHandler::applyPowerUp()\n";
    state.voidHeight -= 7.0f;
    state.powerUpUsed = true;
}
