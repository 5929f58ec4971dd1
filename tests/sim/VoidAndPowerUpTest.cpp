#include <gtest/gtest.h>

#include <sstream>

#include "sim/gameplay/GameManager.h"
#include "sim/gameplay/PowerUp.h"
#include "sim/gameplay/VoidState.h"
#include "support/TempIni.h"

TEST(PowerUp, FallingThroughItLowersTheVoidOnce)
{
    VoidState state;
    std::ostringstream log;
    GameManager manager(false, "", &state, log);
    TestWorld t("[world]\ncharStartX = -10\ncharStartY = 40\ncharStartZ = 5\n", &manager);
    const PowerUp power({-10, 32, 5}, t.world.get());
    t.world->getCharacterBody();
    t.step(90);  // touch found, then lost
    EXPECT_EQ(takeLog(log), "VoidHandler::applyPowerUp()\n");
    EXPECT_EQ(std::pair(state.voidHeight, state.powerUpUsed), std::pair(-17.0f, true));
}
