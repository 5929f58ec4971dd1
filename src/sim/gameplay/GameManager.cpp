#include "sim/gameplay/GameManager.h"

#include <ostream>
#include <utility>

#include "sim/gameplay/VoidHandler.h"
#include "sim/gameplay/VoidState.h"

GameManager::GameManager(bool debug, std::string assetPath, VoidState* voidState, std::ostream& log)
    : assetPath(std::move(assetPath)), debug(debug), voidState(voidState), log(&log)
{
}

void GameManager::onTrigger(const TriggerPair* pairs, uint32_t count)
{
    // Only power-ups carry user data, so the first pair that has any is a
    // power-up being touched; whether the touch began or ended is not asked.
    for (uint32_t i = 0; i < count; ++i) {
        if (!pairs[i].triggerUserData && !pairs[i].otherUserData) continue;
        if (voidState) VoidHandler::applyPowerUp(*voidState, *log);
        return;
    }
}
