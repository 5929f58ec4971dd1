#include "sim/gameplay/Interactable.h"

#include <iostream>

void Interactable::interact(std::ostream& out) { out << id << "\n"; }
