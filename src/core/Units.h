#pragma once

// Angles kept in degrees are turned into radians with this exact factor so
// that every rotation in the game agrees to the last bit.
inline constexpr float kDegreesToRadians = 0.017453292f;

// The fixed physics step; it also paces the animated textures.
inline constexpr float kFixedStep = 1.0f / 60.0f;
