#pragma once

// The void's height and whether the power-up has been spent: one value each
// for the whole run, read by the loss test and the HUD.
struct VoidState {
    float voidHeight = -10.0f;
    bool powerUpUsed = false;
};
