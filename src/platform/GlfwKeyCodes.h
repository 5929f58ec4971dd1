#pragma once
#include "sim/settings/KeyboardKey.h"

// The GLFW key code of each of the game's keyboard keys; GLFW_KEY_UNKNOWN for None.
int glfwKeyCode(KeyboardKey key);
