#pragma once
#include <vector>

#include "sim/frame/GamepadKeys.h"

// Every connected pad GLFW knows a gamepad mapping for, as the game's
// GamepadState (GLFW's standard layout, index for index). Read once a frame
// by the play keys, the menus and a replay's practice keys.
std::vector<GamepadState> connectedPads();
