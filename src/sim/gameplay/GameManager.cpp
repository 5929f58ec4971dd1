#include "sim/gameplay/GameManager.h"

#include <ostream>

#include "sim/gameplay/VoidHandler.h"
#include "sim/gameplay/VoidState.h"

GameManager::GameManager(VoidState& voidState, std::ostream& log) : voidState(voidState), log(log)
{
}

void GameManager::onTrigger(const TriggerPair* pairs, uint32_t count)
{
    // Whether the touch began or ended is not asked.
    for (uint32_t i = 0; i < count; ++i) {
        if (pairs[i].triggerTag != BodyTag::PowerUp && pairs[i].otherTag != BodyTag::PowerUp) continue;
        VoidHandler::applyPowerUp(voidState, log);
        return;
    }
}
