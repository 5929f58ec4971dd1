#pragma once
#include <vector>

#include "sim/menu/MenuScreen.h"

// Where focus goes from entry `from` when a direction is pressed: to the
// nearest entry that way on the screen's grid (the nearest row, then the
// nearest column within it). Up and Down wrap round from the last row to the
// first and back, so a list can be walked either way with a pad; Left and
// Right stay where they are at the row's end. Headings are passed over.
// `from` for any other command.
int moveFocus(const std::vector<MenuEntry>& entries, int from, MenuCommand direction);
