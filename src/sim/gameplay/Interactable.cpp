#include "sim/gameplay/Interactable.h"

#include <iostream>

void Interactable::interact() { std::cout << id << "\n"; }
